#include "matrix_table_model.h"

#include "program_text.h"

namespace zelvora::gui {

tMatrixTableModel::tMatrixTableModel(
    tMatrixWindowClient& client, std::int32_t variableIndex, QObject* parent)
    : QAbstractTableModel(parent)
    , m_client(client)
    , m_index(variableIndex)
{
}

void tMatrixTableModel::SetDataSize(std::int32_t rows, std::int32_t cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == m_rows && cols == m_cols)
        return;
    beginResetModel();
    m_rows = rows;
    m_cols = cols;
    m_editedTexts.clear();
    endResetModel();
}

void tMatrixTableModel::CellsChanged()
{
    m_editedTexts.clear();
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1), { Qt::DisplayRole });
    emit headerDataChanged(Qt::Horizontal, 0, std::max(m_cols - 1, 0));
}

void tMatrixTableModel::SetEditedText(int row, int col, const QString& text)
{
    m_editedTexts.insert(Key(row, col), text);
    const QModelIndex cell = index(row, col);
    emit dataChanged(cell, cell, { Qt::DisplayRole });
}

int tMatrixTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int tMatrixTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant tMatrixTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto edited = m_editedTexts.constFind(Key(index.row(), index.column()));
    if (edited != m_editedTexts.constEnd())
        return *edited;
    return ToQString(m_client.CellText(m_index, index.row() + 1, index.column() + 1));
}

QVariant tMatrixTableModel::headerData(int section, Qt::Orientation, int role) const
{
    if (role == Qt::DisplayRole)
        return section + 1;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags tMatrixTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

} // namespace zelvora::gui
