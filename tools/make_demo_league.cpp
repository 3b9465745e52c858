// make_demo_league FOLDER [--name NAME] [--teams N] [--seed S] [--all-divisions]
// Writes FOLDER/NAME.lge, NAME.tms and NAME.ros: a synthetic league for the demo and the tests.
#include "demo_league.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: make_demo_league FOLDER [--name NAME] [--teams N] [--seed S] [--all-divisions]\n"
    "  --name NAME       file name of the league without extension (default demo)\n"
    "  --teams N         number of teams, 1 to 50 (default 24)\n"
    "  --seed S          seed of the generator, a whole number (default 1)\n"
    "  --all-divisions   spread the teams over all four divisions of each conference\n";

int usage(const std::string& problem)
{
    std::fprintf(stderr, "make_demo_league: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

template <typename T> std::optional<T> parseNumber(std::string_view text)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// A name becomes a file name in FOLDER, so it may not climb out of it or name a folder.
bool plainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\\') == std::string_view::npos;
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<std::string> folder;
    bb::demo::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (arg == "--name") {
            const auto v = value();
            if (!v || !plainFileName(*v))
                return usage("--name needs a plain file name");
            options.name = std::string(*v);
        } else if (arg == "--teams") {
            const auto v = value();
            const auto n = v ? parseNumber<int>(*v) : std::nullopt;
            if (!n || *n < 1 || *n > 50)
                return usage("--teams needs a number from 1 to 50");
            options.teams = *n;
        } else if (arg == "--seed") {
            const auto v = value();
            const auto n = v ? parseNumber<std::uint32_t>(*v) : std::nullopt;
            if (!n)
                return usage("--seed needs a whole number from 0 to 4294967295");
            options.seed = *n;
        } else if (arg == "--all-divisions") {
            options.allDivisions = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg.starts_with("-") && arg != "-") {
            return usage("unknown option " + std::string(arg));
        } else if (folder) {
            return usage("only one folder may be given");
        } else {
            folder = std::string(arg);
        }
    }
    if (!folder || folder->empty())
        return usage("no folder given");

    if (bb::Status st = bb::demo::writeDemoLeague(*folder, options); !st) {
        std::fprintf(stderr, "make_demo_league: %s\n", st.error().c_str());
        return 1;
    }
    return 0;
}
