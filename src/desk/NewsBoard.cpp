#include "desk/NewsBoard.h"

#include "core/DataAccess.h"

namespace vm {

namespace {

NewsItem fromRow(const Row& r) {
    return NewsItem{r.number("NewsBookID"), r.trimmedText("NewsItem"),
                    r.trimmedText("DisplayColor"), r.flag("FontBold")};
}

} // namespace

std::vector<NewsItem> GetTheNews(Database& db) {
    std::vector<NewsItem> items;
    for (const Row& r : db.query("SELECT * FROM [NewsBook] ORDER BY [NewsBookID]"))
        items.push_back(fromRow(r));
    return items;
}

std::optional<NewsItem> GetNewsItem(Database& db, qint64 newsBookId) {
    const auto r = db.queryOne("SELECT * FROM [NewsBook] WHERE [NewsBookID] = ?", {newsBookId});
    if (!r) return std::nullopt;
    return fromRow(*r);
}

bool UpdateNewsBook(Database& db, const NewsItem& item) {
    return db.exec("UPDATE [NewsBook] SET [NewsItem] = ?, [DisplayColor] = ?, [FontBold] = ? "
                   "WHERE [NewsBookID] = ?",
                   {CleanSqlTextKeepAmp(item.text).left(255),
                    item.color.trimmed().isEmpty() ? QStringLiteral(" ") : item.color.trimmed(),
                    item.bold, item.id}) > 0;
}

} // namespace vm
