// Small pieces that every window builds its controls from, so that a name, a plain-text label or
// a button behaves the same in each of them.
#pragma once

#include "core/session.h"

#include <QString>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
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

// The row of boxes in which both editors show the chosen player.
struct PlayerBoxes {
    QLineEdit* name;
    std::array<QLineEdit*, SkillShown> rating;
    QLineEdit* overall;
    QLineEdit* age;
    QLineEdit* hand;
    QLineEdit* pos;
};

// Shows roster slot Ply of team slot 0 in the boxes: ratings as stored, and "na" in a goalie's
// Defence and Scoring, which are then locked. An empty slot leaves them as they are; false then.
bool showPlayer(const PlayerBoxes& boxes, const Session& s, std::uint8_t Ply);

} // namespace bb::ui
