#include "typology/QuadrantTable.h"

#include "typology/TypeTables.h"

const QString& QuadrantTable::cell(int row, Corner corner, Layer layer) const
{
    static const QString empty;
    const int c = int(corner);
    if (row < 0 || row > 10 || c < 0 || c > 4)
        return empty;
    return m_cells[row][c][int(layer)];
}

QuadrantWords QuadrantTable::words(int row) const
{
    return {cell(row, Corner::Quality, Layer::Word), cell(row, Corner::Pitfall, Layer::Word),
            cell(row, Corner::Challenge, Layer::Word), cell(row, Corner::Allergy, Layer::Word)};
}

void QuadrantTable::clear()
{
    for (auto& row : m_cells)
        for (auto& corner : row)
            for (QString& text : corner)
                text.clear();
}

void QuadrantTable::fill(int type)
{
    clear();
    const QList<typology::QuadrantRow> rows = typology::quadrantRows(type);
    for (int r = 0; r < rows.size(); ++r) {
        const typology::QuadrantRow& row = rows[r];
        auto& cells = m_cells[r + 1];
        cells[1] = {row.qualityType, row.quality};
        cells[2] = {row.pitfallType, row.pitfall};
        cells[3] = {row.challengeType, row.challenge};
        cells[4] = {row.allergyType, row.allergy};
    }
}
