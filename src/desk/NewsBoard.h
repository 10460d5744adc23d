#pragma once
// The news board: a fixed set of NewsBook items that every desk reads and
// anyone may rewrite in place; a new property starts with five empty items
// (core/FactoryData.cpp).

#include "platform/Database.h"

#include <optional>
#include <vector>

namespace vm {

struct NewsItem {
    qint64 id = 0;
    QString text;
    QString color; // as stored: "#RRGGBB", a colour name or a decimal colour value
    bool bold = false;
};

// Board items in id order.
std::vector<NewsItem> GetTheNews(Database& db);
std::optional<NewsItem> GetNewsItem(Database& db, qint64 newsBookId);
// Rewrites the item's text, colour and boldness; false when the item is gone.
bool UpdateNewsBook(Database& db, const NewsItem& item);

} // namespace vm
