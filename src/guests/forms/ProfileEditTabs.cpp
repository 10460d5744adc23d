// The profile screen's upper tabs (phones, the three addresses, the assistant,
// linked documents), the contact flags, the notes and the picture.

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "guests/DocumentLinks.h"
#include "guests/PhoneFormat.h"
#include "guests/forms/ProfileEditUi.h"
#include "guests/forms/frmContactDoc.h"
#include "guests/forms/frmProfileEdit.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const char* const FlagCaptions[] = {"Postal Mail", "Home Email", "Business Email",
                                    "Home Phone",  "Cell Phone", "Business Phone",
                                    "Fax Phone",   "Other Phone"};
const char* const FlagNames[] = {"chkDNUSnailMail", "chkDNUEmail",     "chkDNUEmailB",
                                 "chkDNUHomePhone", "chkDNUCellPhone", "chkDNUBusinessPhone",
                                 "chkDNUFaxPhone",  "chkDNUOtherPhone"};

void ShowAddress(const ProfileEditUi::AddressBoxes& b, const ProfileAddress& a) {
    b.line1->setText(a.line1.trimmed());
    b.line2->setText(a.line2.trimmed());
    b.city->setText(a.city.trimmed());
    b.state->setText(a.state.trimmed());
    b.country->setText(a.country.trimmed());
    b.postalCode->setText(a.postalCode.trimmed());
}

ProfileAddress ReadAddress(const ProfileEditUi::AddressBoxes& b) {
    return {b.line1->text(), b.line2->text(),   b.city->text(),
            b.state->text(), b.country->text(), b.postalCode->text()};
}

// The "Guest Picture" link of the profile, if it has one.
std::optional<DocumentLink> PictureLink(AppContext& ctx, qint64 profileId) {
    for (const DocumentLink& l : GetCDocuments(ctx, profileId, DocKind::Profile))
        if (l.description.trimmed().compare(PictureDescription, Qt::CaseInsensitive) == 0) return l;
    return std::nullopt;
}

} // namespace

QWidget* ProfileEditUi::buildUpperTabs() {
    tsTab2 = named(new QTabWidget(q), "tsTab2");
    auto line = [&](QWidget* page, const QString& name, int maxLength = 50) {
        QLineEdit* e = makeLineEdit(page, name, false, maxLength);
        watch(e);
        return e;
    };
    auto phoneTidying = [this](QLineEdit* e) {
        connect(e, &QLineEdit::editingFinished, this, [this, e] {
            if (e->isReadOnly()) return;
            const QString tidy = FormatPhoneNumber(e->text(), defaultCountry, defaultAreaCode);
            if (tidy != e->text()) e->setText(tidy);
        });
    };

    auto* phones = new QWidget(tsTab2);
    auto* phonesForm = new QFormLayout(phones);
    txtHomePhone = line(phones, "txtHomePhone", 30);
    txtBusinessPhone = line(phones, "txtBusinessPhone", 30);
    txtCellPhone = line(phones, "txtCellPhone", 30);
    txtFaxPhone = line(phones, "txtFaxPhone", 30);
    txtOtherPhone = line(phones, "txtOtherPhone", 30);
    phonesForm->addRow("Home:", txtHomePhone);
    phonesForm->addRow("Business:", txtBusinessPhone);
    phonesForm->addRow("Cell:", txtCellPhone);
    phonesForm->addRow("Fax:", txtFaxPhone);
    phonesForm->addRow("Other:", txtOtherPhone);
    tsTab2->addTab(phones, "Phones");

    auto addressTab = [&](const QString& title, const QString& suffix, AddressBoxes& b,
                          QLineEdit** email, const QString& emailName) {
        auto* page = new QWidget(tsTab2);
        auto* form = new QFormLayout(page);
        b.line1 = line(page, "txtAddress1" + suffix, 100);
        b.line2 = line(page, "txtAddress2" + suffix, 100);
        b.city = line(page, "txtCity" + suffix);
        b.state = line(page, "txtState" + suffix);
        b.country = line(page, "txtCountry" + suffix);
        b.postalCode = line(page, "txtPostalCode" + suffix, 20);
        b.primary = named(new QCheckBox("Is Primary Address", page), "chkPrimary" + title);
        watch(b.primary);
        form->addRow("Address:", b.line1);
        form->addRow(QString(), b.line2);
        form->addRow("City:", b.city);
        form->addRow("State:", b.state);
        form->addRow("Postal Code:", b.postalCode);
        form->addRow("Country:", b.country);
        if (email) {
            *email = line(page, emailName, 100);
            form->addRow("Email:", *email);
        }
        form->addRow(b.primary);
        tsTab2->addTab(page, title);
        QCheckBox* box = b.primary;
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) { primaryTicked(box, on); });
    };
    addressTab("Home", "", home, &txtEmailAddress, "txtEmailAddress");
    addressTab("Business", "B", business, &txtEmailAddressB, "txtEmailAddressB");
    addressTab("Other", "O", other, nullptr, {});

    auto* assistant = new QWidget(tsTab2);
    auto* assistantForm = new QFormLayout(assistant);
    txtAsstName = line(assistant, "txtAsstName", 100);
    txtAsstEmailAddress = line(assistant, "txtAsstEmailAddress", 100);
    txtAsstCellPhone = line(assistant, "txtAsstCellPhone", 30);
    txtAsstBusinessPhone = line(assistant, "txtAsstBusinessPhone", 30);
    txtAsstFaxPhone = line(assistant, "txtAsstFaxPhone", 30);
    assistantForm->addRow("Name:", txtAsstName);
    assistantForm->addRow("Email:", txtAsstEmailAddress);
    assistantForm->addRow("Cell Phone:", txtAsstCellPhone);
    assistantForm->addRow("Business:", txtAsstBusinessPhone);
    assistantForm->addRow("Fax Phone:", txtAsstFaxPhone);
    tsTab2->addTab(assistant, "Assistant");

    for (QLineEdit* e : {txtHomePhone, txtBusinessPhone, txtCellPhone, txtFaxPhone, txtOtherPhone,
                         txtAsstCellPhone, txtAsstBusinessPhone, txtAsstFaxPhone})
        phoneTidying(e);

    auto* links = new QWidget(tsTab2);
    auto* linksLayout = new QVBoxLayout(links);
    lblLinksUnsaved = named(new QLabel(MsgDocsUnsaved, links), "lblLinksUnsaved");
    lblLinksUnsaved->setWordWrap(true);
    grdDocuments = named(new DataGrid(links), "grdDocuments");
    grdDocuments->setHeaders({"Link Description", "File Name"});
    cmdMaintainDocs = named(new QPushButton("Maintain Linked Documents", links), "cmdMaintainDocs");
    cmdMaintainDocs->setAutoDefault(false);
    linksLayout->addWidget(lblLinksUnsaved);
    linksLayout->addWidget(grdDocuments, 1);
    linksLayout->addWidget(cmdMaintainDocs);
    tsTab2->addTab(links, "Links");
    connect(cmdMaintainDocs, &QPushButton::clicked, this, [this] { maintainDocuments(); });
    connect(grdDocuments, &DataGrid::rowActivated, this, &ProfileEditUi::openDocument);
    return tsTab2;
}

QWidget* ProfileEditUi::buildSideTabs() {
    tsSide = named(new QTabWidget(q), "tsSide");
    txtNotes = named(new QPlainTextEdit(tsSide), "txtNotes");
    txtNotes->setTabChangesFocus(true);
    watch(txtNotes);
    tsSide->addTab(txtNotes, "Notes");
    auto* picture = new QWidget(tsSide);
    auto* pictureLayout = new QVBoxLayout(picture);
    imgPicture = named(new QLabel(picture), "imgPicture");
    imgPicture->setAlignment(Qt::AlignCenter);
    imgPicture->setMinimumSize(160, 160);
    cmdUpdatePicture = named(new QPushButton("Update Picture", picture), "cmdUpdatePicture");
    cmdUpdatePicture->setAutoDefault(false);
    pictureLayout->addWidget(imgPicture, 1);
    pictureLayout->addWidget(cmdUpdatePicture);
    tsSide->addTab(picture, "Picture");
    connect(cmdUpdatePicture, &QPushButton::clicked, this, [this] { updatePicture(); });
    return tsSide;
}

QWidget* ProfileEditUi::buildContactFlags() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(
        "Check to indicate that address type should NOT be USED to contact the Individual", page));
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < dnu.size(); ++i) {
        dnu[i] = named(new QCheckBox(FlagCaptions[i], page), FlagNames[i]);
        watch(dnu[i]);
        grid->addWidget(dnu[i], int(i % 4), int(i / 4));
    }
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

void ProfileEditUi::showUpperTabs(const Profile& p) {
    txtHomePhone->setText(p.homePhone.trimmed());
    txtBusinessPhone->setText(p.businessPhone.trimmed());
    txtCellPhone->setText(p.cellPhone.trimmed());
    txtFaxPhone->setText(p.faxPhone.trimmed());
    txtOtherPhone->setText(p.otherPhone.trimmed());
    ShowAddress(home, p.home);
    ShowAddress(business, p.business);
    ShowAddress(other, p.other);
    txtEmailAddress->setText(p.email.trimmed());
    txtEmailAddressB->setText(p.emailB.trimmed());
    const int primary = (p.primaryAddress >= 0 && p.primaryAddress <= 2) ? p.primaryAddress : 0;
    home.primary->setChecked(primary == 0);
    business.primary->setChecked(primary == 1);
    other.primary->setChecked(primary == 2);
    txtAsstName->setText(p.asstName.trimmed());
    txtAsstEmailAddress->setText(p.asstEmail.trimmed());
    txtAsstCellPhone->setText(p.asstCellPhone.trimmed());
    txtAsstBusinessPhone->setText(p.asstBusinessPhone.trimmed());
    txtAsstFaxPhone->setText(p.asstFaxPhone.trimmed());
    const bool saved = p.id > 0;
    lblLinksUnsaved->setVisible(!saved);
    grdDocuments->setVisible(saved);
    cmdMaintainDocs->setVisible(saved);
    refreshDocuments();
    showPicture();
}

void ProfileEditUi::readUpperTabs(Profile& p) const {
    p.homePhone = txtHomePhone->text();
    p.businessPhone = txtBusinessPhone->text();
    p.cellPhone = txtCellPhone->text();
    p.faxPhone = txtFaxPhone->text();
    p.otherPhone = txtOtherPhone->text();
    p.home = ReadAddress(home);
    p.business = ReadAddress(business);
    p.other = ReadAddress(other);
    p.email = txtEmailAddress->text();
    p.emailB = txtEmailAddressB->text();
    p.primaryAddress = business.primary->isChecked() ? 1 : other.primary->isChecked() ? 2 : 0;
    p.asstName = txtAsstName->text();
    p.asstEmail = txtAsstEmailAddress->text();
    p.asstCellPhone = txtAsstCellPhone->text();
    p.asstBusinessPhone = txtAsstBusinessPhone->text();
    p.asstFaxPhone = txtAsstFaxPhone->text();
}

void ProfileEditUi::primaryTicked(QCheckBox* box, bool on) {
    if (on) {
        for (QCheckBox* b : {home.primary, business.primary, other.primary})
            if (b != box) {
                const QSignalBlocker quiet(b);
                b->setChecked(false);
            }
        return;
    }
    // One set is always the primary one: unticking the only one puts it back.
    if (!home.primary->isChecked() && !business.primary->isChecked() &&
        !other.primary->isChecked()) {
        const QSignalBlocker quiet(box);
        box->setChecked(true);
    }
}

void ProfileEditUi::refreshDocuments() {
    grdDocuments->clearRows();
    if (profile.id <= 0) return;
    try {
        FillDocumentGrid(grdDocuments, GetCDocuments(ctx, profile.id, DocKind::Profile));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetCDocuments", ProfileFormName, true);
    }
}

void ProfileEditUi::maintainDocuments() {
    if (!needsSaved(MsgDocsUnsaved)) return;
    frmContactDoc editor(ctx, DocKind::Profile, profile.id,
                         (profile.firstName.trimmed() + " " + profile.lastName.trimmed()).trimmed(),
                         q);
    editor.exec();
    refreshDocuments();
    showPicture();
}

void ProfileEditUi::openDocument(qint64 documentId) {
    try {
        for (const DocumentLink& l : GetCDocuments(ctx, profile.id, DocKind::Profile))
            if (l.id == documentId) OpenDocumentLink(ctx, l);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "grdDocuments_DblClick", ProfileFormName, true);
    }
}

void ProfileEditUi::showPicture() {
    imgPicture->clear();
    if (profile.id <= 0) return;
    try {
        const std::optional<DocumentLink> link = PictureLink(ctx, profile.id);
        if (!link) return;
        const QPixmap picture(link->target());
        if (picture.isNull()) {
            imgPicture->setText("The picture cannot be shown:\n" + link->target());
            return;
        }
        imgPicture->setPixmap(picture.scaled(imgPicture->minimumSize(), Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetCDocuments", ProfileFormName, true);
    }
}

void ProfileEditUi::updatePicture() {
    if (!mayEdit) return;
    if (!needsSaved(MsgSaveProfileFirst)) return;
    const QString path =
        ctx.desktop().chooseOpenFile("Select the Guest Picture", QDir::homePath(),
                                     "Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All Files (*)");
    if (path.isEmpty()) return;
    const QFileInfo file(path);
    if (file.size() > MaxPictureBytes) {
        ctx.prompt().message(MsgPictureTooLarge + path, {}, Icon::Exclamation);
        return;
    }
    QImageReader reader(path);
    if (!file.isFile() || !reader.canRead()) {
        ctx.prompt().message(MsgPictureNotImage + path, {}, Icon::Exclamation);
        return;
    }
    DocumentLink link;
    try {
        link = PictureLink(ctx, profile.id).value_or(DocumentLink{});
        link.ownerId = profile.id;
        link.sourceType = DocKind::Profile;
        link.description = PictureDescription;
        link.fileName = QDir::toNativeSeparators(file.absoluteFilePath());
        link.fileName2.clear();
        if (const QString refusal = CheckDocumentLink(link); !refusal.isEmpty()) {
            ctx.prompt().message(refusal, {}, Icon::Exclamation);
            return;
        }
        AddContactDocItem(ctx, link);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "cmdUpdatePicture_Click", ProfileFormName, true);
        return;
    }
    refreshDocuments();
    showPicture();
}

} // namespace vm
