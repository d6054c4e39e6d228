// SPDX-License-Identifier: MIT
#pragma once
// What every report list shares: the columns of its definition, their headers and alignment.
// Subclasses say what the rows hold.
#include <QAbstractTableModel>

#include <span>

#include "forms/forms.h"

namespace durava::ui {

// The role under which every list's model answers a cell's program text as a QByteArray, byte for
// byte as the row holds it, whatever the screen makes of it: the framework reads any list by it.
inline constexpr int kProgramTextRole = Qt::UserRole;

class ColumnsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ColumnsModel(std::span<const forms::Column> columns, QObject* parent);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool ShowsWholeText(int column) const;

  protected:
    // The cell's alignment for Qt::TextAlignmentRole; nothing for other roles.
    QVariant Alignment(const QModelIndex& index, int role) const;

  private:
    std::span<const forms::Column> m_columns;
};

}  // namespace durava::ui
