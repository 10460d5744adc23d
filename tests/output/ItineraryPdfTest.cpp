// A guest's itinerary in French from the main window's Logbook page to the
// PDF a reader sees.

#include "PdfReader.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "guests/ItineraryFixture.h"
#include "guests/forms/frmItinerary.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

class ItineraryPdf : public ItineraryFixture {};

TEST_F(ItineraryPdf, FiveEntriesOverThreeDaysInFrenchReadBackInOrder) {
    EnsureApplication();
    grant(Rights::LogbookItineraries.position);
    flag("PrintTeam", false);
    // The French texts and phrases of the installation.
    SaveItineraryTexts(*env.ctx, 1, {"Bienvenue a l'Hotel Aurora.", "Bon sejour parmi nous.", {}});
    phrase(1, Phrase::Title, "Itineraire de @~~");
    phrase(1, Phrase::Greeting, "Chere @~~,");
    phrase(1, Phrase::Introduction, "Voici le programme de votre sejour :");
    phrase(1, Phrase::ItemDate, "Le @~~");
    phrase(1, Phrase::Signature, "Signature :");
    phrase(1, Phrase::SignedDate, "Date :");
    SaveItineraryTexts(*env.ctx, 0, {"English welcome", "English goodbye", {}});

    const qint64 ines = profile("Darrow", "Ines", "ines@example.com");
    // Entered out of order; one cancelled and one kept off itineraries.
    booking("Darrow", "Ines", "Transport", "2026/03/17", "07:15", "Taxi to the airport", ines);
    booking("Darrow", "Ines", "Tours", "2026/03/15", "10:00", "Old town walk", ines);
    LogEntry dinner = booking();
    dinner.lastName = "Darrow";
    dinner.firstName = "Ines";
    dinner.profileId = ines;
    add(dinner); // 2026/03/15 19:30, Restaurant: Chez Leon
    booking("Darrow", "Ines", "Tours", "2026/03/16", "09:00", "Boat trip", ines);
    booking("Darrow", "Ines", "Dining", "2026/03/16", "20:00", "Rooftop bar", ines);
    cancel(booking("Darrow", "Ines", "Tours", "2026/03/16", "14:00", "Cancelled museum", ines));
    booking("Darrow", "Ines", "Internal Note", "2026/03/16", "15:00", "Staff only", ines);

    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    QWidget* logbook = window.tabPage("Logbook");
    ASSERT_TRUE(logbook);
    control<QAbstractButton>(*logbook, "cmdItinerary")->click();
    auto* f = window.findChild<frmItinerary*>();
    ASSERT_TRUE(f) << env.prompt.texts().join("|").toStdString();
    control<QLineEdit>(*f, "txtLastName")->setText("darrow");
    control<QAbstractButton>(*f, "cmdByName")->click();
    auto* guests = control<QListWidget>(*f, "lstGuests");
    ASSERT_EQ(guests->count(), 1);
    EXPECT_EQ(guests->item(0)->text(), "Darrow, Ines {P}");
    f->show();
    const QRect r = guests->visualItemRect(guests->item(0));
    QTest::mouseClick(guests->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(guests->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(control<DataGrid>(*f, "grdItinerary")->rowCount(), 5);
    control<QComboBox>(*f, "cboLanguage")->setCurrentText("French");
    control<QCheckBox>(*f, "chkDefaultHeading")->setChecked(true);
    control<QAbstractButton>(*f, "chkSignature")->click();
    control<QLineEdit>(*f, "txtValediction")->setText("Avec nos salutations");
    control<QAbstractButton>(*f, "cmdPrint")->click();

    frmPrintPreview* preview = f->findChild<frmPrintPreview*>();
    ASSERT_TRUE(preview) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(preview->objectName(), "frmPrintLH");
    const QString pdf = env.root() + "/Itinerary.pdf";
    env.desktop.choose(pdf);
    control<QAbstractButton>(*preview, "cmdPdf")->click();
    const QStringList pages = PdfPages(pdf);
    ASSERT_FALSE(pages.isEmpty()) << env.prompt.texts().join("|").toStdString();
    const QString text = pages.join('\n');
    EXPECT_TRUE(InOrder(text, {"Itineraire de Ines Darrow",
                               "Bienvenue a l'Hotel Aurora.",
                               "Chere Ines Darrow,",
                               "Voici le programme de votre sejour :",
                               "Le Sunday, 03/15/2026",
                               "10:00 AM",
                               "Tours",
                               "Old town walk",
                               "Le Sunday, 03/15/2026",
                               "07:30 PM",
                               "Dining",
                               "Restaurant: Chez Leon",
                               "Window table",
                               "We look forward to welcoming you.",
                               "Le Monday, 03/16/2026",
                               "09:00 AM",
                               "Boat trip",
                               "Le Monday, 03/16/2026",
                               "08:00 PM",
                               "Rooftop bar",
                               "Le Tuesday, 03/17/2026",
                               "07:15 AM",
                               "Transport",
                               "Taxi to the airport",
                               "Signature :",
                               "Date :",
                               "Avec nos salutations",
                               "Bon sejour parmi nous."}))
        << text.toStdString();
    for (const char* never : {"Cancelled museum", "Staff only", "Commission", "English"})
        EXPECT_FALSE(text.contains(never)) << never;
}
