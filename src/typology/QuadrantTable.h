#pragma once

#include <QString>
#include <array>

// Corners of a core quadrant and the two layers of each cell.
enum class Corner { Quality = 1, Pitfall = 2, Challenge = 3, Allergy = 4 };
enum class Layer { Type = 0, Word = 1 };

// The four words of one row, as the table holds them.
struct QuadrantWords
{
    QString quality;
    QString pitfall;
    QString challenge;
    QString allergy;
};

// Rows 0 to 10, corners 0 to 4, layers 0 and 1; only rows 1 to 5 and corners 1 to 4 are ever filled.
class QuadrantTable
{
public:
    const QString& cell(int row, Corner corner, Layer layer) const;
    QuadrantWords words(int row) const; // empty words for a row outside the table
    void clear();
    void fill(int type); // the five rows of that type; nothing for a type outside 1 to 9

private:
    std::array<std::array<std::array<QString, 2>, 5>, 11> m_cells;
};
