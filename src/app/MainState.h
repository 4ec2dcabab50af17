#pragma once

#include "questionnaire/Scoring.h"

#include <QString>
#include <array>

// Corners of a core quadrant and the two layers of each cell.
enum class Corner { Quality = 1, Pitfall = 2, Challenge = 3, Allergy = 4 };
enum class Layer { Type = 0, Word = 1 };

// Rows 0 to 10, corners 0 to 4, layers 0 and 1; only rows 1 to 5 and corners 1 to 4 are ever filled.
class QuadrantTable
{
public:
    const QString& cell(int row, Corner corner, Layer layer) const;
    void clear();
    void fill(int type); // the five rows of that type; nothing for a type outside 1 to 9

private:
    std::array<std::array<std::array<QString, 2>, 5>, 11> m_cells;
};

// The active layer of what the main window knows about the person. The shown layer (names, type and wing texts)
// lives in the window's own fields.
struct MainState
{
    qint16 activeType = 0;
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    Scores scores{};
    QuadrantTable quadrantTable;
};
