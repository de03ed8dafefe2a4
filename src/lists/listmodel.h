#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "lists/listfile.h"

// The rows of the main list: each row has a text (the Title), five
// sub-items, a text colour and a bold flag. Rows are addressed from 1, as
// the rest of the program counts them.
//
// A row can also be a search result that refers to a line of a shared source
// (for instance the lines of every list): its text is derived from that line
// and its first sub-item is the whole line, so filtering a million lines
// copies none of them. Result rows are held as a source position and a
// colour until one of them is changed; only then do they become full rows.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kColumns = 6;

    struct Row {
        QString text;
        std::array<QString, 5> sub;
        std::uint32_t color = listfile::kDefaultTextColor;
        bool bold = false;
        int source = -1;            // index into the result source, or -1
        bool textOverride = false;  // a result row whose text was set explicitly
        bool sub1Override = false;  // a result row whose first sub-item was set
    };

    explicit ListModel(QObject* parent = nullptr);

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // ---- list items (1-based) ----
    int Count() const { return int(rows_.empty() ? results_.size() : rows_.size()); }
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
    const Row& row(int i) const;

    // ---- result rows ----
    // Sets the lines result rows refer to (`count` lines, line i given by
    // `lineAt`, asked only for rows that are shown or read), how a row's text
    // is derived from its line and, optionally, its colour (else the default
    // colour). Clears the rows.
    using LineAt = std::function<QString(int)>;
    void SetResultSource(int count, LineAt lineAt, std::function<QString(const QString&)> titleOf,
                         std::function<std::uint32_t(const QString&)> colorOf = {});
    // The same over a list of lines, shared with the model, not copied.
    void SetResultSource(const QStringList& lines, std::function<QString(const QString&)> titleOf,
                         std::function<std::uint32_t(const QString&)> colorOf = {});
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
    // A result row in its compact form.
    struct Result {
        int source;
        std::uint32_t color;  // kLineColor: the colour of its line
    };
    static constexpr std::uint32_t kLineColor = 0xFFFFFFFFu;

    Row& at(int i) {
        materialize();
        return rows_[size_t(i - 1)];
    }
    // Turns compact result rows into full rows; the view sees no change.
    void materialize();
    // The source line a result row refers to; null when out of range.
    std::optional<QString> sourceLine(int index) const;
    std::uint32_t colorOf(const Result& r) const;
    bool valid(int i) const { return i >= 1 && i <= Count(); }
    void changed(int i, int column = -1);

    std::vector<Row> rows_;
    // Used instead of rows_ while every row is an unchanged result row.
    std::vector<Result> results_;
    std::array<QString, kColumns> headers_;
    int sourceCount_ = 0;
    LineAt lineAt_;
    QStringList listSource_;
    std::function<QString(const QString&)> titleOf_;
    std::function<std::uint32_t(const QString&)> colorOf_;
    QColor defaultText_;
    std::uint32_t background_ = 0xFFFFFFu;
    QFont font_, boldFont_;
};

QColor colorFromValue(std::uint32_t value);
std::uint32_t valueFromColor(const QColor& color);
