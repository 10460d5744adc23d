#include "bookings/forms/frmReservation.h"

#include "bookings/forms/frmWaitList.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmReservation");
const QColor BookedColor(198, 222, 255);

// Twips of the old layout as pixels.
int px(int twips) { return twips / 15; }

QString placesText(double v) { return QString::number(v, 'g', 10); }

} // namespace

frmReservation::frmReservation(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs = named(new QTabWidget, "tabReservation"));
    const auto page = [this](const QString& caption, const char* objectName) {
        auto* w = named(new QWidget, objectName);
        tabs->addTab(w, caption);
        return w;
    };
    buildBooking(page("Reservations", "tabBooking"));
    buildSetup(page("Category Set-up", "tabSetup"));
    buildRowLimits(page("Row Limits", "tabRowLimits"));
    buildSearch(page("Search", "tabSearch"));
    buildSignUp(page("SignUp Sheets", "tabSignUp"));
    buildPurge(page("Purge", "tabPurge"));
    resize(980, 680);

    txtDate->setText(Formats::ShortDate(m_ctx.clock().today()));
    refreshCategoryLists(); // fills the booking page's list for the day too
    refreshSetupCategories();
    refreshSignUps();
}

void frmReservation::buildBooking(QWidget* page) {
    auto* top = new QVBoxLayout(page);
    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel("Date:"));
    pick->addWidget(txtDate = makeLineEdit(page, "txtDate", false, 10));
    txtDate->setPlaceholderText(Formats::ShortDateHint);
    txtDate->setMaximumWidth(110);
    pick->addWidget(new QLabel("Category:"));
    pick->addWidget(cboCategory = named(new QComboBox, "cboCategory"), 1);
    top->addLayout(pick);

    top->addWidget(grdReservations = named(new QTableWidget, "grdReservations"), 1);
    grdReservations->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdReservations->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReservations->verticalHeader()->hide();
    top->addWidget(lblOffGrid = named(new QLabel, "lblOffGrid"));
    lblOffGrid->setWordWrap(true);

    auto* panel = new QGridLayout;
    int row = 0;
    panel->addWidget(new QLabel("Name:"), row, 0);
    panel->addWidget(txtName = makeLineEdit(page, "txtName", false, 50), row, 1, 1, 3);
    ++row;
    panel->addWidget(new QLabel("Item:"), row, 0);
    panel->addWidget(cboVenue = named(new QComboBox, "cboVenue"), row, 1);
    panel->addWidget(new QLabel("From:"), row, 2);
    panel->addWidget(lblFromSlot = named(new QLabel, "lblFromSlot"), row, 3);
    ++row;
    panel->addWidget(lblThroughTime = named(new QLabel("Through:"), "lblThroughTime"), row, 0);
    panel->addWidget(cboThrough = named(new QComboBox, "cboThrough"), row, 1);
    panel->addWidget(lblThroughDate = named(new QLabel("Through Date:"), "lblThroughDate"), row,
                     2);
    panel->addWidget(txtThroughDate = makeLineEdit(page, "txtThroughDate", false, 10), row, 3);
    txtThroughDate->setPlaceholderText(Formats::ShortDateHint);
    ++row;
    panel->addWidget(lblPrice = named(new QLabel("Price per Unit:"), "lblPrice"), row, 0);
    panel->addWidget(txtPrice = makeLineEdit(page, "txtPrice", false, 10), row, 1);
    panel->addWidget(lblPlacesLeft = named(new QLabel, "lblPlacesLeft"), row, 2, 1, 2);
    ++row;
    panel->addWidget(new QLabel("Wait List:"), row, 0);
    panel->addWidget(txtWaitList = makeLineEdit(page, "txtWaitList", false, 200), row, 1, 1, 2);
    txtWaitList->setReadOnly(true);
    panel->addWidget(lblWaitListID = named(new QLabel("0"), "lblWaitListID"), row, 3);
    lblWaitListID->hide();
    ++row;
    auto* options = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        options->addWidget(new QLabel(QString("Option %1:").arg(i + 1)));
        options->addWidget(lblOption[size_t(i)] =
                               named(new QLabel("N"), QString("lblOption_%1").arg(i)));
    }
    options->addStretch();
    panel->addLayout(options, row, 0, 1, 4);
    top->addLayout(panel);

    // Items offered as one choice among many (the category's own option).
    top->addWidget(fraOneOfMany = named(new QGroupBox("Choose one of:"), "fraOneOfMany"));
    new QHBoxLayout(fraOneOfMany);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBook = named(new QPushButton("Book"), "cmdBook"));
    buttons->addWidget(cmdBookWaiting =
                           named(new QPushButton("Book for the Waiting Guest"), "cmdBookWaiting"));
    buttons->addWidget(cmdWaitList = named(new QPushButton("Wait List"), "cmdWaitList"));
    buttons->addWidget(cmdIU = named(new QPushButton("Unavailable"), "cmdIU"));
    cmdIU->setToolTip("Count a request that could not be booked");
    buttons->addStretch();
    auto* cmdClose = named(new QPushButton("&Close"), "cmdClose");
    buttons->addWidget(cmdClose);
    for (QPushButton* b : {cmdBook, cmdBookWaiting, cmdWaitList, cmdIU, cmdClose})
        b->setAutoDefault(false);
    top->addLayout(buttons);

    connect(txtDate, &QLineEdit::editingFinished, this, [this] {
        if (txtDate->isModified()) {
            txtDate->setModified(false);
            dateChanged();
        }
    });
    connect(cboCategory, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) categoryChanged();
    });
    connect(grdReservations, &QTableWidget::cellClicked, this, &frmReservation::cellClicked);
    // Enter on a cell does what a click does.
    connect(grdReservations, &QTableWidget::cellActivated, this, &frmReservation::cellClicked);
    connect(txtName, &QLineEdit::textEdited, this, [this] { m_bookForWait = 0; });
    connect(cboVenue, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) refreshPlacesLeft();
    });
    connect(cmdBook, &QPushButton::clicked, this, &frmReservation::cmdBook_Click);
    connect(cmdBookWaiting, &QPushButton::clicked, this, &frmReservation::cmdBookWaiting_Click);
    connect(cmdWaitList, &QPushButton::clicked, this, &frmReservation::cmdWaitList_Click);
    connect(cmdIU, &QPushButton::clicked, this, &frmReservation::cmdIU_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

QDate frmReservation::bookingDate() const { return Formats::ParseShortDate(txtDate->text()); }

void frmReservation::dateChanged() {
    const QDate day = bookingDate();
    const std::optional<ResCategory> before = m_cat;
    m_dayCategories.clear();
    try {
        if (day.isValid()) m_dayCategories = GetResTypesForDate(m_ctx, day);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetResTypes", FormName, true);
    }
    m_filling = true;
    cboCategory->clear();
    int select = -1;
    for (const ResCategory& c : m_dayCategories) {
        if (before && c.id == before->id) select = cboCategory->count();
        cboCategory->addItem(c.category, c.id);
    }
    cboCategory->setCurrentIndex(select);
    m_filling = false;
    if (before && select < 0 && day.isValid()) {
        const QString closed = ClosedDayMessage(*before, day);
        if (!closed.isEmpty()) m_ctx.prompt().message(closed);
    }
    categoryChanged();
}

void frmReservation::categoryChanged() {
    const int at = cboCategory->currentIndex();
    if (at >= 0 && size_t(at) < m_dayCategories.size())
        m_cat = m_dayCategories[size_t(at)];
    else
        m_cat.reset();
    clearWaitingGuest();
    const QDate day = bookingDate();
    setWindowTitle(ReservationCaption(m_cat ? m_cat->category : QString(),
                                      day.isValid() ? day : m_ctx.clock().today()));
    showCategoryOptions();
    loadGrid();
}

void frmReservation::showCategoryOptions() {
    const ResCategory c = m_cat.value_or(ResCategory{});
    for (int i = 0; i < 5; ++i)
        lblOption[size_t(i)]->setText(c.option[i] ? "Y" : "N");
    const bool timed = c.kind == ResListKind::Timed;
    const bool pickers = c.throughPicker();
    cboVenue->setVisible(pickers || !timed);
    cboThrough->setVisible(pickers && timed);
    lblThroughTime->setVisible(pickers && timed);
    lblThroughDate->setVisible(c.spansDays());
    txtThroughDate->setVisible(c.spansDays());
    txtThroughDate->clear();
    lblPrice->setText(c.party() ? "Number in Party:" : "Price per Unit:");
    txtPrice->setText(c.party() ? QStringLiteral("1") : Formats::FormatNumber(c.price, "#.00"));
    fraOneOfMany->setVisible(c.oneOfMany());
}

void frmReservation::loadGrid() {
    m_grid = ResGrid{};
    m_lines.clear();
    m_loadedId = 0;
    const QDate day = bookingDate();
    if (m_cat && day.isValid()) {
        try {
            m_grid = BuildResGrid(m_ctx, *m_cat, day);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "BuildResGrid", FormName, true);
        }
    }
    const bool timed = !m_cat || m_cat->kind == ResListKind::Timed;
    if (m_cat) m_lines = ResGridLines(*m_cat, m_grid);

    grdReservations->clear();
    const int columns = m_grid.isEmpty() ? 0 : (timed ? 1 + int(m_grid.columns.size()) : 2);
    grdReservations->setColumnCount(columns);
    grdReservations->setRowCount(int(m_lines.size()));
    if (columns > 0) {
        QStringList headers{m_grid.firstHeader};
        headers << (timed ? m_grid.columns : QStringList{"Reserved For"});
        grdReservations->setHorizontalHeaderLabels(headers);
        grdReservations->setColumnWidth(0, px(timed ? 930 : 2400));
        for (int c = 1; c < columns; ++c)
            grdReservations->setColumnWidth(
                c, px(!timed || (m_cat && m_cat->singleItem()) ? 3600 : 2100));
    }
    const auto cellText = [this](const ResCell& cell) {
        return m_cat && m_cat->party()
                   ? cell.reservedFor + " (" + placesText(cell.places) + ")"
                   : cell.reservedFor;
    };
    for (int line = 0; line < int(m_lines.size()); ++line) {
        const ResGridLine& l = m_lines[size_t(line)];
        grdReservations->setItem(line, 0, new QTableWidgetItem(m_grid.rows[l.row]));
        for (int c = 1; c < columns; ++c) {
            const auto& bookings = m_grid.cells[size_t(l.row)][size_t(c - 1)];
            auto* item = new QTableWidgetItem;
            if (timed && !bookings.empty()) {
                QStringList names;
                for (const ResCell& b : bookings)
                    names << cellText(b);
                item->setText(names.join("; "));
            } else if (!timed && l.booking >= 0) {
                item->setText(cellText(bookings[size_t(l.booking)]));
            }
            if (!item->text().isEmpty()) item->setBackground(BookedColor);
            grdReservations->setItem(line, c, item);
        }
    }

    lblOffGrid->setText(m_grid.offGrid.isEmpty()
                            ? QString()
                            : "Bookings outside the list's slots and items: " +
                                  m_grid.offGrid.join(";  "));
    lblOffGrid->setVisible(!m_grid.offGrid.isEmpty());

    // The pickers offer the grid's items and slots.
    m_filling = true;
    const QString item = cboVenue->currentText(), through = cboThrough->currentText();
    cboVenue->clear();
    cboVenue->addItems(timed ? m_grid.columns : m_grid.rows);
    cboVenue->setCurrentIndex(cboVenue->findText(item));
    cboThrough->clear();
    if (timed) cboThrough->addItems(m_grid.rows);
    cboThrough->setCurrentIndex(cboThrough->findText(through));
    if (timed && !m_grid.rows.contains(lblFromSlot->text())) lblFromSlot->clear();
    m_filling = false;

    // One of many: the items as a single choice.
    QLayout* choices = fraOneOfMany->layout();
    while (QLayoutItem* it = choices->takeAt(0)) {
        delete it->widget();
        delete it;
    }
    int n = 0;
    for (const QString& name : (timed ? m_grid.columns : m_grid.rows)) {
        auto* choice = named(new QRadioButton(name), QString("optItem_%1").arg(n++));
        choice->setChecked(name == cboVenue->currentText());
        connect(choice, &QRadioButton::toggled, this, [this, name](bool on) {
            if (on) cboVenue->setCurrentIndex(cboVenue->findText(name));
        });
        choices->addWidget(choice);
    }
    setBookMode(true);
    refreshPlacesLeft();
    refreshRowLimits();
}

void frmReservation::cellClicked(int row, int column) {
    if (!m_cat || row < 0 || size_t(row) >= m_lines.size()) return;
    const ResGridLine l = m_lines[size_t(row)];
    const bool timed = m_cat->kind == ResListKind::Timed;
    qint64 booked = 0;
    m_filling = true;
    if (timed) {
        if (column >= 1) {
            const auto& cell = m_grid.cells[size_t(l.row)][size_t(column - 1)];
            if (!cell.empty()) booked = cell.front().reservationId;
            cboVenue->setCurrentIndex(cboVenue->findText(m_grid.columns[column - 1]));
        }
        lblFromSlot->setText(m_grid.rows[l.row]);
        cboThrough->setCurrentIndex(cboThrough->findText(m_grid.rows[l.row]));
    } else {
        if (l.booking >= 0) booked = m_grid.cells[size_t(l.row)][0][size_t(l.booking)].reservationId;
        cboVenue->setCurrentIndex(cboVenue->findText(m_grid.rows[l.row]));
    }
    m_filling = false;
    if (booked == 0) {
        if (m_loadedId) {
            txtName->clear(); // the name of the booking shown before
            showCategoryOptions();
        }
        m_loadedId = 0;
        setBookMode(true);
        refreshPlacesLeft();
        return;
    }
    std::optional<ReservationRow> r;
    try {
        r = GetReservation(m_ctx, booked);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetReservation", FormName, true);
        return;
    }
    if (!r) { // removed at another desk meanwhile
        loadGrid();
        return;
    }
    m_loadedId = r->id;
    m_bookForWait = 0;
    txtName->setText(r->reservationFor);
    txtPrice->setText(m_cat->party() ? placesText(r->price)
                                     : Formats::FormatNumber(r->price, "#.00"));
    if (timed && !m_cat->spansDays()) {
        lblFromSlot->setText(r->availableFrom);
        cboThrough->setCurrentIndex(cboThrough->findText(r->availableThrough));
    }
    if (m_cat->spansDays())
        txtThroughDate->setText(Formats::ShortDateOfStored(r->availableThrough));
    setBookMode(false);
    refreshPlacesLeft();
}

void frmReservation::setBookMode(bool book) { cmdBook->setText(book ? "Book" : "UnBook"); }

void frmReservation::clearWaitingGuest() {
    m_bookForWait = 0;
    txtWaitList->clear();
    lblWaitListID->setText("0");
}

void frmReservation::refreshPlacesLeft() {
    lblPlacesLeft->clear();
    if (!m_cat || !m_cat->party()) return;
    const bool timed = m_cat->kind == ResListKind::Timed;
    const int row = m_grid.rows.indexOf(timed ? lblFromSlot->text() : cboVenue->currentText());
    if (row < 0 || size_t(row) >= m_grid.placesLeft.size()) return;
    lblPlacesLeft->setText("Places Left: " + placesText(m_grid.placesLeft[size_t(row)]));
}

void frmReservation::cmdBook_Click() {
    if (cmdBook->text() == "UnBook")
        unbook();
    else
        book();
}

void frmReservation::book() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_cat) {
        prompt.message("Please select a Category first.  Thank you.");
        return;
    }
    ResBooking b;
    b.date = txtDate->text().trimmed();
    if (m_cat->spansDays()) b.through = txtThroughDate->text().trimmed();
    b.name = txtName->text().trimmed();
    b.item = cboVenue->currentText();
    if (m_cat->kind == ResListKind::Timed) {
        b.fromSlot = lblFromSlot->text();
        b.throughSlot = cboThrough->currentText();
    }
    b.priceOrParty = txtPrice->text().trimmed();
    b.waitListId = m_bookForWait;
    try {
        ResBookResult r = BookReservation(m_ctx, *m_cat, b);
        if (r.status == ResBookStatus::OverLimit) {
            if (prompt.ask(MsgResOverLimit, {}, Buttons::YesNo, Icon::Question, Answer::No) ==
                Answer::Yes) {
                r = BookReservation(m_ctx, *m_cat, b, true);
            } else {
                if (prompt.ask(MsgResWaitListOffer, {}, Buttons::YesNo, Icon::Question,
                               Answer::Yes) == Answer::Yes)
                    openWaitList(b.name);
                return;
            }
        }
        if (r.status != ResBookStatus::Booked) {
            if (!r.message.isEmpty()) prompt.message(r.message, {}, Icon::Exclamation);
            // Someone else's booking may have taken the cells meanwhile.
            if (r.message == MsgResSegmentBooked || r.message == MsgResDayBooked) loadGrid();
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "InsertReservation", FormName, true);
        return;
    }
    if (b.waitListId) clearWaitingGuest();
    txtName->clear();
    txtThroughDate->clear();
    loadGrid();
}

void frmReservation::unbook() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_cat || m_loadedId == 0) return;
    try {
        const auto r = GetReservation(m_ctx, m_loadedId);
        if (!r) {
            loadGrid();
            return;
        }
        const QString refusal = CheckUnbook(m_ctx, *r);
        if (!refusal.isEmpty()) {
            prompt.message(refusal, MsgNotAuthorizedTitle, Icon::Information);
            return;
        }
        if (prompt.ask(MsgResDeleteQuestion, {}, Buttons::YesNoCancel, Icon::Question,
                       Answer::No) != Answer::Yes)
            return;
        DeleteReservation(m_ctx, *m_cat, r->id);
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeleteReservation", FormName, true);
        return;
    }
    txtName->clear();
    txtThroughDate->clear();
    showCategoryOptions();
    loadGrid();
    // The place just freed is offered to the guest waiting longest.
    clearWaitingGuest();
    try {
        if (const auto next = GetNextWaitList(m_ctx, m_cat->id, bookingDate())) {
            txtWaitList->setText(next->requestedBy + " " + next->howToContact);
            lblWaitListID->setText(QString::number(next->id));
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "GetNextWaitList", FormName, true);
    }
}

void frmReservation::cmdBookWaiting_Click() {
    const qint64 id = lblWaitListID->text().toLongLong();
    if (!m_cat || id == 0) {
        m_ctx.prompt().message("There is no waiting guest to book.  Thank you.");
        return;
    }
    try {
        for (const WaitListEntry& e : GetWaitList(m_ctx, m_cat->id, bookingDate()))
            if (e.id == id) {
                txtName->setText(e.requestedBy);
                m_bookForWait = id;
                return;
            }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetWaitList", FormName, true);
        return;
    }
    // Booked or removed at another desk meanwhile.
    clearWaitingGuest();
    m_ctx.prompt().message("There is no waiting guest to book.  Thank you.");
}

void frmReservation::cmdIU_Click() {
    Prompt& prompt = m_ctx.prompt();
    const QString refusal = CheckUnavailabilityIncrement(m_grid);
    if (!m_cat || !refusal.isEmpty()) {
        prompt.message(refusal.isEmpty() ? CheckUnavailabilityIncrement(ResGrid{}) : refusal);
        return;
    }
    try {
        prompt.message(
            UnavailabilityIncrementedMessage(IncrementUnavailability(m_ctx, m_cat->id, bookingDate())));
    } catch (const DbError& e) {
        ReportError(prompt, e, "IncrementUnavailability", FormName, true);
    }
}

void frmReservation::cmdWaitList_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_cat) {
        prompt.message("Must select a Category for this Wait List Entry.");
        return;
    }
    if (!bookingDate().isValid()) {
        prompt.message("Please enter a valid date.", {}, Icon::Exclamation);
        return;
    }
    if (m_grid.isEmpty()) {
        prompt.message("Must select some Reservation Information first.");
        return;
    }
    openWaitList(txtName->text().trimmed());
}

void frmReservation::openWaitList(const QString& name) {
    auto* list = new frmWaitList(m_ctx, *m_cat, bookingDate(), name, this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->open();
}

} // namespace vm
