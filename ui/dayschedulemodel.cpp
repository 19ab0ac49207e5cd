#include "ui/dayschedulemodel.h"

#include "schedule/alarm.h"
#include "ui/fontconv.h"

void TDayScheduleModel::SetRows(QList<TDayListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_colors.clear();
    m_colors.reserve(m_rows.size());
    for (const TDayListRow &row : std::as_const(m_rows))
        m_colors.append(row.Alarm && row.Alarm->UseColor ? ColorToQColor(row.Alarm->Color) : QColor());
    endResetModel();
}

int TDayScheduleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TDayScheduleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant TDayScheduleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const TDayListRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? row.Time : row.Content;
    case Qt::ForegroundRole:
        if (const QColor &color = m_colors.at(index.row()); color.isValid())
            return color;
        return {};
    default:
        return {};
    }
}

QVariant TDayScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return QStringLiteral("時刻");
    case 1:
        return QStringLiteral("内容");
    default:
        return {};
    }
}
