// Small pieces that every window builds its controls from, so that a name, a plain-text label or
// a button behaves the same in each of them.
#pragma once

#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace bb::ui {

// The rating headers and their names, skills 0 to 12: skill 13 is shown by no window.
inline constexpr int SkillShown = 13;
inline constexpr std::array<const char*, SkillShown> SkillHeader = {"IT", "SP", "ST", "EN", "DU", "DI", "SK",
                                                                    "PA", "PC", "DF", "SC", "EX", "LD"};
inline constexpr std::array<const char*, SkillShown> SkillName = {
    "Intensity", "Speed",       "Strength", "Endurance", "Durability", "Discipline", "Skating",
    "Passing",   "Stickhandle", "Defence",  "Scoring",   "Experience", "Leadership"};

// The name of element i of a control array: "lblPlayer(20)".
QString indexed(const char* name, int i);

// A label whose text is never read as markup: texts from league files are data.
QLabel* plainLabel(const QString& text, const QString& name, QWidget* parent);

void setBold(QWidget* w, bool bold = true);

// A push button that Enter in a list or a text box never presses by accident.
QPushButton* textButton(QWidget* parent, const QString& text, const QString& name, const QString& tip);

} // namespace bb::ui
