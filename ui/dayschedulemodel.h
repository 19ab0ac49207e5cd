#pragma once

#include "schedule/daylist.h"

#include <QAbstractTableModel>
#include <QColor>

// The rows of the day's schedule list beside the calendar. A day of
// every-day schedules holds thousands of rows; a model hands the view only
// the rows it shows, where an item per row built them all on every refill.
class TDayScheduleModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row. A schedule's own colour is taken now, so the list
    // never reads a schedule again after this.
    void SetRows(QList<TDayListRow> rows);
    void Clear() { SetRows({}); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<TDayListRow> m_rows;
    QList<QColor> m_colors; // invalid: the list's own text colour
};
