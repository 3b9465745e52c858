#include "qt_test_main.h"

#include "scripted_prompter.h"
#include "temp_dir.h"
#include "ui/main/about_box.h"
#include "ui/main/registry.h"
#include "ui/main/sys_info.h"

#include <QLabel>
#include <QPushButton>

#include <fstream>
#include <memory>

using bb::sysinfo::HKeyLocalMachine;
using bb::sysinfo::RegistryStore;
using bb::sysinfo::RegValue;
using bb::test::ScriptedPrompter;

namespace {

const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kUnavailable = "System Information Is Unavailable At This Time";

struct Box {
    ScriptedPrompter p;
    std::unique_ptr<bb::ui::frmAbout> box = std::make_unique<bb::ui::frmAbout>(p);
    std::vector<std::string> started;
    bool startSucceeds = true;

    explicit Box(RegistryStore store = {})
    {
        box->setRegistry(std::move(store));
        box->setProgramStarter([this](const std::string& program) {
            started.push_back(program);
            return startSucceeds;
        });
        box->show();
    }

    void clickSysInfo()
    {
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    }

    void verifyUnavailableShown()
    {
        QCOMPARE(p.asked.size(), std::size_t{1});
        QCOMPARE(p.asked[0].kind, bb::test::Asked::Message);
        QCOMPARE(p.asked[0].text, kUnavailable);
        QCOMPARE(p.asked[0].icon, bb::MsgIcon::None);
        QVERIFY(p.asked[0].title.empty()); // the program's title
        QVERIFY(box->isVisible());
    }
};

std::string keyValue(const RegistryStore& store, const std::string& key, const std::string& name,
                     bool* ok = nullptr, const std::string& before = "old")
{
    ScriptedPrompter p;
    bb::ui::frmAbout box(p);
    box.setRegistry(store);
    std::string val = before;
    const bool found = box.GetKeyValue(HKeyLocalMachine, key, name, val);
    if (ok)
        *ok = found;
    return val;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTitleVersionAndButtons();
    void okEnterAndEscapeClose();
    void sysInfoWithoutValuesIsUnavailable();
    void sysInfoStartsTheProgramNamed();
    void sysInfoFallsBackToToolFolder();
    void getKeyValueRendersTypes();
    void getKeyValueFailures();
};

void AboutBoxTest::showsTitleVersionAndButtons()
{
    Box b;
    QCOMPARE(b.box->windowTitle(), QStringLiteral("About Benchboss"));
    QCOMPARE(b.box->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Benchboss"));
    QCOMPARE(b.box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.2.9"));
    auto* sysInfo = b.box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    auto* ok = b.box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(!b.box->isModal());
    QVERIFY(b.box->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().width() > 0);
    QVERIFY(!b.box->windowIcon().isNull());
}

void AboutBoxTest::okEnterAndEscapeClose()
{
    Box b;
    QVERIFY(QTest::qWaitForWindowExposed(b.box.get()));
    QTest::keyClick(b.box.get(), Qt::Key_Escape);
    QVERIFY(!b.box->isVisible());

    b.box->show();
    QTest::keyClick(b.box.get(), Qt::Key_Return);
    QVERIFY(!b.box->isVisible());

    b.box->show();
    QTest::mouseClick(b.box->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!b.box->isVisible());
    QVERIFY(b.p.asked.empty());
    QVERIFY(b.started.empty());
}

void AboutBoxTest::sysInfoWithoutValuesIsUnavailable()
{
    {
        Box b; // the program's own store: empty
        b.clickSysInfo();
        b.verifyUnavailableShown();
        QVERIFY(b.started.empty());
    }
    {
        RegistryStore keysOnly; // keys present, values missing
        keysOnly.addKey(HKeyLocalMachine, kMsinfoKey);
        keysOnly.addKey(HKeyLocalMachine, kLocationKey);
        Box b(keysOnly);
        b.clickSysInfo();
        b.verifyUnavailableShown();
        QVERIFY(b.started.empty());
    }
}

void AboutBoxTest::sysInfoStartsTheProgramNamed()
{
    RegistryStore store;
    store.setString(HKeyLocalMachine, kMsinfoKey, "PATH", "/opt/tools/sysinfo");
    store.setString(HKeyLocalMachine, kLocationKey, "MSINFO", "/never/used");
    {
        Box b(store);
        b.clickSysInfo();
        QCOMPARE(b.started, std::vector<std::string>{"/opt/tools/sysinfo"});
        QVERIFY(b.p.asked.empty());
    }
    {
        // A program that will not start: the same message, and no second attempt elsewhere.
        Box b(store);
        b.startSucceeds = false;
        b.clickSysInfo();
        QCOMPARE(b.started, std::vector<std::string>{"/opt/tools/sysinfo"});
        b.verifyUnavailableShown();
    }
    {
        // A DWORD where a path belongs names no program that can start.
        RegistryStore dword;
        dword.setDword(HKeyLocalMachine, kMsinfoKey, "PATH", 0x0A000201u);
        Box b(dword);
        b.startSucceeds = false;
        b.clickSysInfo();
        QCOMPARE(b.started, std::vector<std::string>{"&hA021"});
        b.verifyUnavailableShown();
    }
}

void AboutBoxTest::sysInfoFallsBackToToolFolder()
{
    bb::test::TempDir dir;
    RegistryStore store;
    store.setString(HKeyLocalMachine, kLocationKey, "MSINFO", dir.path().string());
    {
        Box b(store); // the folder holds no tool
        b.clickSysInfo();
        b.verifyUnavailableShown();
        QVERIFY(b.started.empty());
    }
    std::ofstream(dir / "MSINFO32.EXE") << "tool";
    {
        Box b(store);
        b.clickSysInfo();
        QCOMPARE(b.started, std::vector<std::string>{(dir / "MSINFO32.EXE").string()});
        QVERIFY(b.p.asked.empty());
    }
}

void AboutBoxTest::getKeyValueRendersTypes()
{
    RegistryStore store;
    store.setString(HKeyLocalMachine, "Soft\\Tools", "Path", "C:\\Tools");
    store.setValue(HKeyLocalMachine, "Soft\\Tools", "Bare", RegValue{bb::sysinfo::RegSz, {'a', 'b', 'c'}});
    store.setDword(HKeyLocalMachine, "Soft\\Tools", "Mixed", 0x0A000201u);
    store.setDword(HKeyLocalMachine, "Soft\\Tools", "Full", 0x12345678u);
    store.setDword(HKeyLocalMachine, "Soft\\Tools", "Five", 5u);
    store.setValue(HKeyLocalMachine, "Soft\\Tools", "Blob", RegValue{3, {1, 2, 3}});

    bool ok = false;
    QCOMPARE(keyValue(store, "Soft\\Tools", "Path", &ok), std::string("C:\\Tools"));
    QVERIFY(ok);
    // Names match in any case.
    QCOMPARE(keyValue(store, "SOFT\\tools", "PATH"), std::string("C:\\Tools"));
    // Text without a terminating NUL keeps its last character.
    QCOMPARE(keyValue(store, "Soft\\Tools", "Bare"), std::string("abc"));
    // Bytes from last to first, each without a leading zero.
    QCOMPARE(keyValue(store, "Soft\\Tools", "Mixed"), std::string("&hA021"));
    QCOMPARE(keyValue(store, "Soft\\Tools", "Full"), std::string("&h12345678"));
    // A final NUL byte is dropped before the rendering.
    QCOMPARE(keyValue(store, "Soft\\Tools", "Five"), std::string("&h005"));
    // Another type succeeds but leaves the text as it was.
    QCOMPARE(keyValue(store, "Soft\\Tools", "Blob", &ok), std::string("old"));
    QVERIFY(ok);
}

void AboutBoxTest::getKeyValueFailures()
{
    RegistryStore store;
    store.setValue(HKeyLocalMachine, "K", "Empty", RegValue{bb::sysinfo::RegSz, {}});
    store.setValue(HKeyLocalMachine, "K", "Huge",
                   RegValue{bb::sysinfo::RegSz, std::vector<std::uint8_t>(1025, 'x')});
    std::vector<std::uint8_t> fits(1023, 'y');
    fits.push_back(0);
    store.setValue(HKeyLocalMachine, "K", "Fits", RegValue{bb::sysinfo::RegSz, fits});
    store.setString(0x80000001u, "Other", "V", "elsewhere");

    bool ok = true;
    QCOMPARE(keyValue(store, "Missing", "V", &ok), std::string());
    QVERIFY(!ok);
    QCOMPARE(keyValue(store, "K", "Missing", &ok), std::string());
    QVERIFY(!ok);
    QCOMPARE(keyValue(store, "K", "Empty", &ok), std::string());
    QVERIFY(!ok);
    QCOMPARE(keyValue(store, "K", "Huge", &ok), std::string());
    QVERIFY(!ok);
    QCOMPARE(keyValue(store, "K", "Fits", &ok), std::string(1023, 'y'));
    QVERIFY(ok);
    // Another root's key is not under the local machine.
    QCOMPARE(keyValue(store, "Other", "V", &ok), std::string());
    QVERIFY(!ok);
}

BB_QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
