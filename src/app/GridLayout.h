#pragma once

#include <QList>
#include <QString>

// The column layout of a grid as its window leaves it: for every column (by its index
// in the model) its position on screen, width and visibility. Written to the window's
// ".cfg" file of the private directory when the window closes.
struct GridLayout
{
    struct Column
    {
        int visualIndex = 0;
        int width = 0;
        bool hidden = false;
        bool operator==(const Column &) const = default;
    };

    QList<Column> columns; // indexed by logical column

    bool isEmpty() const { return columns.isEmpty(); }
    // The positions are a permutation of 0..n-1 and every width is sensible.
    bool isValid() const;

    // A readable JSON text: {"columns":[{"visual":0,"width":120,"hidden":false},...]}.
    QByteArray toText() const;
    // An empty layout when the text is not a valid layout.
    static GridLayout fromText(const QByteArray &text);

    bool write(const QString &path) const;
    // An empty layout for a missing, unreadable or corrupt file: the window then keeps
    // the layout of its design.
    static GridLayout read(const QString &path);

    bool operator==(const GridLayout &) const = default;
};
