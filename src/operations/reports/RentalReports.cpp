#include "operations/reports/RentalReports.h"

#include "core/Formats.h"
#include "operations/Rentals.h"
#include "output/GridTable.h"

namespace vm {

using namespace doc;

namespace {

QDate argDate(const PrintRequest& r, const char* key) {
    return Formats::ParseStoredDate(r.args.value(key).toString());
}

Paragraph section(const QString& text) {
    Paragraph p = Para(text, Align::Left, true, 11);
    p.spaceBefore = 10;
    p.spaceAfter = 4;
    p.keepWithNext = true;
    return p;
}

// A text of several lines (CRLF) as paragraphs.
void addText(Document& d, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    for (const QString& line : QString(text).remove('\r').split('\n'))
        d.body << Para(line);
    d.body << Spacer{8};
}

Paragraph labelled(const QString& label, const QString& value) {
    return Para({Text(label, true), Text(value)});
}

} // namespace

Document BuildRentalCharges(AppContext& ctx, const PrintRequest& r) {
    const auto loan = GetStuffLoan(ctx, r.args.value("loanId").toLongLong());
    if (!loan) throw ReportRefused(MsgNoRentalsToPrint);
    const auto item = GetStuffItem(ctx, loan->stuffId);
    Document d = ListSheet(r, TitleRentalCharges, TitleRentalCharges, ctx.globals.propertyName);
    const RentalTexts texts = TextsForCategory(ctx, loan->categoryId);
    addText(d, texts.conf1);
    d.body << labelled("Guest:  ", loan->renterName) << labelled("Room:  ", loan->roomNumber);
    if (item) {
        d.body << labelled("Item:  ", item->itemName + (item->itemNumber.isEmpty()
                                                            ? QString()
                                                            : "  (" + item->itemNumber + ")"))
               << labelled("Category:  ", item->category)
               << labelled("Rate:  ",
                           ShownRate(item->rentalCharge) +
                               (item->type == StuffType::Hourly ? " per hour" : " per day"));
    }
    d.body << labelled("Checked Out:  ",
                       Formats::ShortDateOfStored(loan->checkoutDate) + " " + loan->checkoutTime);
    if (loan->isOpen() && item && item->isOut())
        d.body << labelled("Due Back:  ",
                           Formats::ShortDateOfStored(item->returnDate) + " " + item->returnTime);
    else if (!loan->isOpen())
        d.body << labelled("Returned:  ",
                           Formats::ShortDateOfStored(loan->returnDate) + " " + loan->returnTime);
    d.body << labelled("Rental Charge:  ", ShownCharge(loan->charge));
    d.body << Spacer{10};
    addText(d, texts.conf2);
    d.body << Spacer{20} << Para("Guest Signature:  ______________________________");
    return d;
}

Document BuildRentalResults(AppContext& ctx, const PrintRequest& r) {
    const QDate from = argDate(r, "from"), through = argDate(r, "through");
    if (!from.isValid() || !through.isValid()) throw ReportRefused(MsgNoRentalsToPrint);
    const auto loans = GetStuffSearch(ctx, from, through, r.args.value("byCheckout").toBool(),
                                      r.args.value("categoryId").toLongLong());
    if (loans.empty()) throw ReportRefused(MsgNoRentalsToPrint);
    Document d =
        ListSheet(r, TitleRentalResults, "Items Rented by Date - ",
                  "From " + Formats::ShortDate(from) + " Through " + Formats::ShortDate(through));
    d.page.landscape = true;
    Table t = GridTable(SearchHeaders(), {1.1, 1, 1.1, 1, 0.6, 2, 2, 0.8, 1});
    t.columns.last().align = Align::Right;
    for (const StuffLoan& l : loans)
        t.rows << TableRow{SearchCells(l)};
    TableRow total{SearchTotalCells(loans)};
    total.bold = true;
    t.rows << total;
    d.body << t;
    return d;
}

Document BuildDueBack(AppContext& ctx, const PrintRequest& r) {
    const QDate day = argDate(r, "date");
    const auto items = GetItemsRented(ctx, day);
    if (items.empty()) throw ReportRefused(MsgNoRentalsToPrint);
    Document d = ListSheet(r, TitleDueBack, "Rental Items Due Back",
                           day.isValid() ? "Due back by " + Formats::LongDate(day)
                                         : QStringLiteral("All Dates have been selected"));
    d.page.landscape = true;
    Table t = GridTable(ItemsOutHeaders(), {1.1, 1, 2, 1, 2, 0.8, 0.6, 0.8, 0.5, 1.5});
    for (const StuffItem& i : items)
        t.rows << TableRow{ItemsOutCells(i)};
    d.body << t;
    return d;
}

Document BuildInventoryList(AppContext& ctx, const PrintRequest& r) {
    Document d = ListSheet(r, TitleInventoryList, "Rental and Need-It-Now Items",
                           "As of: " + Formats::LongDate(ctx.clock().today()));
    d.page.landscape = true;
    const std::pair<int, const char*> sections[] = {
        {StuffType::Inventory, "Inventory or Need-it-Now Items"},
        {StuffType::Daily, "Items Rented by the Day"},
        {StuffType::Hourly, "Items Rented by the Hour"}};
    for (const auto& [type, heading] : sections) {
        const auto items = GetRentalItems1(ctx, type);
        if (items.empty()) continue;
        d.body << section(heading);
        Table t = GridTable(ItemGridHeaders(), {1.5, 1, 2, 1, 0.6, 0.8, 0.5, 0.7, 0.5, 1.5, 0.6});
        for (const StuffItem& i : items)
            t.rows << TableRow{ItemGridCells(i)};
        d.body << t;
    }
    if (d.body.isEmpty()) throw ReportRefused(MsgNoRentalsToPrint);
    return d;
}

Document BuildShoppingList(AppContext& ctx, const PrintRequest& r) {
    const auto items = GetReStockItems(ctx);
    if (items.empty()) throw ReportRefused(MsgNoRentalsToPrint);
    Document d = ListSheet(r, TitleShoppingList, TitleShoppingList,
                           "As of: " + Formats::LongDate(ctx.clock().today()));
    Table t = GridTable({{"Item", 3},
                         {"Par", 1, Align::Right},
                         {"On Hand", 1, Align::Right},
                         {"To Buy", 1, Align::Right}});
    for (const StuffItem& i : items)
        t.rows << TableRow{RestockCells(i) << QString::number(i.par - i.onHand)};
    d.body << t;
    return d;
}

void RegisterRentalReports(ReportCatalogue& catalogue) {
    catalogue.add({RptRentalCharges, PreviewWindow::List, false, false, {}, BuildRentalCharges});
    catalogue.add({RptRentalResults, PreviewWindow::List, false, false, {}, BuildRentalResults});
    catalogue.add({RptDueBack, PreviewWindow::List, false, false, {}, BuildDueBack});
    catalogue.add({RptInventoryList, PreviewWindow::List, false, false, {}, BuildInventoryList});
    catalogue.add({RptShoppingList, PreviewWindow::List, false, false, {}, BuildShoppingList});
}

} // namespace vm
