// A matrix window's cells as a table model over the stored variable: only the cells in view are
// asked for their text, so a window over a large matrix costs no more than a small one.
#pragma once

#include "ports/shelf_port.h"

#include <QAbstractTableModel>
#include <QHash>
#include <cstdint>

namespace zelvora::gui {

class tMatrixTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    tMatrixTableModel(tMatrixWindowClient& client, std::int32_t variableIndex, QObject* parent);

    std::int32_t VariableIndex() const { return m_index; }
    void SetVariableIndex(std::int32_t index) { m_index = index; }
    std::int32_t DataRows() const { return m_rows; }
    std::int32_t DataCols() const { return m_cols; }
    void SetDataSize(std::int32_t rows, std::int32_t cols);
    // The variable changed: every cell is asked again, texts left by edits are dropped.
    void CellsChanged();
    // What a cell shows after an edit until the variable is refreshed (row, col from 0).
    void SetEditedText(int row, int col, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static quint64 Key(int row, int col)
    {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(col);
    }

    tMatrixWindowClient& m_client;
    std::int32_t m_index;
    std::int32_t m_rows = 0;
    std::int32_t m_cols = 0;
    QHash<quint64, QString> m_editedTexts;
};

} // namespace zelvora::gui
