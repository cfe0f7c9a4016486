// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader meets on a window, walked through Qt's own accessibility interfaces (no
// bus needed): every node in view, the ones a reader could not name, the bare numbers, tables
// without headers, headings that do not say so, and a window that reads as a filler.

#include <QAccessible>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

namespace km::screens::testing {

struct ReaderCounts {
  int nodes = 0;
  int unnamed = 0;
  int bare = 0;
  QStringList faults;
};

// A name that is only a number or a unit ("95", "15000", "$", "cm"): the reader says it
// without saying what it counts.
inline bool BareNumber(const QString& name) {
  static const QRegularExpression bare(
      QStringLiteral(R"(^\s*(\$|cm|kg|\$?[-+]?\d[\d.,]*\s*(%|cm|kg)?)\s*$)"));
  return bare.match(name).hasMatch();
}

inline QString NodeName(QAccessibleInterface* node) {
  const QObject* object = node->object();
  const QString name = object ? object->objectName() : QString();
  return (name.isEmpty() && object ? QString::fromLatin1(object->metaObject()->className())
                                   : name) +
         QStringLiteral(" \"%1\"").arg(node->text(QAccessible::Name));
}

// Every column of a table has a header cell with a name.
inline bool HeadedTable(QAccessibleInterface* table) {
  QAccessibleTableInterface* cells = table->tableInterface();
  if (!cells) return false;
  for (int column = 0; column < cells->columnCount() && cells->rowCount() > 0; ++column) {
    QAccessibleInterface* cell = cells->cellAt(0, column);
    QAccessibleTableCellInterface* at = cell ? cell->tableCellInterface() : nullptr;
    const auto headers = at ? at->columnHeaderCells() : QList<QAccessibleInterface*>();
    if (headers.isEmpty() || headers.first()->text(QAccessible::Name).trimmed().isEmpty())
      return false;
  }
  return true;
}

inline void WalkReaderNode(QAccessibleInterface* node, bool inTable, ReaderCounts& counts,
                           int depth) {
  if (!node || !node->isValid() || depth > 60 || node->state().invisible) return;
  ++counts.nodes;
  const QAccessible::State state = node->state();
  const QAccessible::Role role = node->role();
  const QString name = node->text(QAccessible::Name).trimmed();
  const auto* label = qobject_cast<const QLabel*>(node->object());
  const bool shows = label ? !label->text().trimmed().isEmpty()
                           : node->textInterface() && node->textInterface()->characterCount() > 0;
  const bool focusable = state.focusable && !state.disabled;
  // An empty cell of a table says nothing, and a reader says so ("blank").
  const bool emptyCell = role == QAccessible::Cell && !shows && name.isEmpty();
  if ((focusable || shows) && name.isEmpty() && !emptyCell) {
    ++counts.unnamed;
    counts.faults << QStringLiteral("unnamed ") + NodeName(node);
  }
  if (!name.isEmpty() && BareNumber(name) && !(inTable && role == QAccessible::Cell)) {
    ++counts.bare;
    counts.faults << QStringLiteral("bare ") + NodeName(node);
  }
  if (role == QAccessible::Table && !HeadedTable(node))
    counts.faults << QStringLiteral("no column headers on ") + NodeName(node);
  if (label && label->property("role") == QStringLiteral("heading") &&
      role != QAccessible::Heading && !label->text().isEmpty())
    counts.faults << QStringLiteral("no heading role on ") + NodeName(node);
  for (int i = 0; i < node->childCount(); ++i)
    WalkReaderNode(node->child(i), inTable || role == QAccessible::Table, counts, depth + 1);
}

inline ReaderCounts WalkReader(QWidget* window) {
  ReaderCounts counts;
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
  if (!root) return counts;
  if (root->role() != QAccessible::Window && root->role() != QAccessible::Dialog)
    counts.faults << QStringLiteral("the window reads as role %1").arg(int(root->role()));
  if (root->text(QAccessible::Name).trimmed().isEmpty())
    counts.faults << QStringLiteral("the window has no name");
  WalkReaderNode(root, false, counts, 0);
  return counts;
}

}  // namespace km::screens::testing
