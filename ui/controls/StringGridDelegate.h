#pragma once
// How a StringGrid draws and edits its cells, from the model's roles (CellRoles.h).
//
// A cell is drawn as a classic Windows grid draws it: its fill and one line of text, a raised
// edge if it is fixed, the grid line right of it and the one below it (grey around fixed cells,
// silver between the others), and a dotted focus rectangle on the current cell while the grid has
// the focus. Fills, lines and edges lie on whole device pixels, so that lines of one kind are
// equally wide at every scale.
//
// The editor is a frameless line edit whose text stands where the cell draws it. It writes the
// model on every change of its text, and once more when it gives up the cell.
#include "CellRoles.h"
#include "TypedCharacter.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QStyledItemDelegate>
#include <QVariant>

// What one cell shows.
struct CellLook {
    QString text;
    QFont font;
    QColor fill;
    QColor ink;
    Qt::Alignment alignment;
    int indent = 0;
    bool fixed = false;
    bool focused = false;
};

// A cell's look from its roles, `data(role)` giving each; `font` and `palette` stand in for the
// roles the model leaves out.
template <typename Data>
CellLook CellLookFrom(const Data& data, const QFont& font, const QPalette& palette) {
    CellLook look;
    look.text = data(Qt::DisplayRole).toString();
    const QVariant cellFont = data(Qt::FontRole);
    look.font = cellFont.isValid() ? cellFont.template value<QFont>().resolve(font) : font;
    const QVariant fill = data(Qt::BackgroundRole);
    look.fill = fill.isValid() ? fill.template value<QColor>() : palette.color(QPalette::Base);
    const QVariant ink = data(Qt::ForegroundRole);
    look.ink = ink.isValid() ? ink.template value<QColor>() : palette.color(QPalette::Text);
    look.alignment = Qt::Alignment(data(Qt::TextAlignmentRole).toInt());
    look.indent = data(TextIndentRole).toInt();
    look.fixed = data(FixedCellRole).toBool();
    return look;
}

class StringGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Every character typed into an editor is offered to `keyFilter` first.
    StringGridDelegate(const KeyFilter& keyFilter, QObject* parent);

    // `section` is the cell with the grid lines that follow it.
    static void paintCell(QPainter& painter, const QRect& section, const CellLook& look);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void commitEachChange();

    const KeyFilter& keyFilter_;
};
