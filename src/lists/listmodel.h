#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lists/listfile.h"
#include "lists/listrows.h"

// The rows of the main list: each row has a text (the Title), five
// sub-items, a text colour and a bold flag. Rows are addressed from 1, as
// the rest of the program counts them.
//
// The model is a view over rows held elsewhere (a list's document, the
// results of a search over lines it shares) and copies none of them:
// showing a million rows costs one reset, and only the rows painted are
// decoded. Rows changed through the model are held by the model alone.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kColumns = 6;

    struct Row {
        QString text;
        std::array<QString, 5> sub;
        std::uint32_t color = listfile::kDefaultTextColor;
        bool bold = false;
    };

    explicit ListModel(QObject* parent = nullptr);

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows `rows` (none: empty) in place of every row shown, in one reset.
    void SetRows(std::shared_ptr<const ListRows> rows);
    // The rows shown, as they are now.
    const ListRows& Rows() const { return rows_; }

    // ---- list items (1-based) ----
    int Count() const { return count_; }
    // Appends a row and returns its position.
    int Add(const QString& text);
    // Appends many rows at once (one insertion for the view).
    void AddRows(std::vector<Row>&& rows);
    void Clear();
    void Remove(int i);
    // Exchanges the contents of two rows (all fields, colour and bold).
    void Swap(int i, int j);

    QString Text(int i) const;
    void SetText(int i, const QString& text);
    // k from 1 to 5.
    QString SubItem(int i, int k) const;
    void SetSubItem(int i, int k, const QString& text);
    std::uint32_t ForeColor(int i) const;
    void SetForeColor(int i, std::uint32_t color);
    bool Bold(int i) const;
    void SetBold(int i, bool bold);

    // ---- result rows ----
    // Sets the lines result rows refer to (`count` lines, line i given by
    // `lineAt`, asked only for rows that are shown or read), how a row's text
    // is derived from its line and, optionally, its colour (else the default
    // colour). Clears the rows.
    using LineAt = ResultRows::LineAt;
    void SetResultSource(int count, LineAt lineAt, ResultRows::TitleOf titleOf,
                         ResultRows::ColorOf colorOf = {});
    // The same over a list of lines, shared with the model, not copied.
    void SetResultSource(const QStringList& lines, ResultRows::TitleOf titleOf,
                         ResultRows::ColorOf colorOf = {});
    const QStringList& ResultSource() const { return listSource_; }
    // Appends result rows referring to the given source lines; rows past the
    // end of `colors` take the colour of their line.
    void AddResults(const std::vector<int>& sourceIndexes,
                    const std::vector<std::uint32_t>& colors);

    // ---- columns (1-based) ----
    QString ColumnText(int c) const { return headers_[size_t(c - 1)]; }
    void SetColumnText(int c, const QString& text);

    // Colours are colour values (red + 256 green + 65536 blue) or the default code.
    void SetDefaultTextColor(const QColor& c) { defaultText_ = c; }
    // The background the rows are drawn on: a colour that would not read on
    // it is drawn lighter or darker, while the row keeps its own colour.
    void SetBackground(const QColor& c);
    void SetFont(const QFont& f);

private:
    bool valid(int i) const { return i >= 1 && i <= Count(); }
    void changed(int i, int column = -1);

    EditedRows rows_;
    int count_ = 0;
    // The results AddResults extends while no row was changed.
    std::shared_ptr<ResultRows> results_;
    QStringList listSource_;
    std::array<QString, kColumns> headers_;
    QColor defaultText_;
    std::uint32_t background_ = 0xFFFFFFu;
    QFont font_, boldFont_;
};

QColor colorFromValue(std::uint32_t value);
std::uint32_t valueFromColor(const QColor& color);
