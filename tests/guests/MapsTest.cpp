#include "guests/Maps.h"
#include "core/Settings.h"
#include "guests/ContactFixture.h"
#include "guests/forms/MapPage.h"
#include "guests/forms/frmContactForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace vm;
using namespace vm::test;

namespace {

class Maps : public ContactFixture {
protected:
    MapSettings property() {
        MapSettings s;
        s.name = "Hotel Grand & Spa";
        s.address = "1 Lake Shore Dr";
        s.city = "Chicago";
        s.state = "IL";
        s.postalCode = "60601";
        s.provider = "Google";
        s.url = "https://maps.example.com/dir";
        s.propertyId = "H 42";
        return s;
    }
};

} // namespace

TEST_F(Maps, TheUrlEncodesEveryPieceBetweenItsSeparators) {
    const QString url = BuildMapURL(property(), {"Café Roma", "12 Oak St #3", "Evanston", "IL"});
    EXPECT_EQ(url, "https://maps.example.com/dir"
                   "?from=1%20Lake%20Shore%20Dr,Chicago,IL%20(Hotel%20Grand%20%26%20Spa)"
                   "&to=12%20Oak%20St%20%233,Evanston,IL%20(Caf%C3%A9%20Roma)"
                   "&ID=H%2042");
    // Nothing typed in a value can end the query early or start another parameter.
    const QString tricky = BuildMapURL(property(), {"A&to=evil", "x?y", "", ""});
    EXPECT_TRUE(tricky.contains("&to=x%3Fy,,%20(A%26to%3Devil)&ID=")) << tricky.toStdString();
    EXPECT_EQ(tricky.count("&to="), 1);
}

TEST_F(Maps, SettingsAreWrittenAndReadBackAndANamelessPropertyIsRefused) {
    SetTextSetting(env.db(), "MapName", "  ");
    EXPECT_EQ(CheckMapSetUp(LoadMapSettings(*env.ctx)), MsgMapNotSetUp);
    EXPECT_EQ(MsgMapNotSetUp, "Please enter your mapping information by selecting\r\nthe "
                              "Administration tab and clicking the\r\n'Create Your Own Map' "
                              "button.");
    SaveMapSettings(*env.ctx, property());
    const MapSettings r = LoadMapSettings(*env.ctx);
    EXPECT_EQ(QStringList({r.name, r.address, r.city, r.state, r.postalCode, r.provider, r.url,
                           r.propertyId}),
              QStringList({"Hotel Grand & Spa", "1 Lake Shore Dr", "Chicago", "IL", "60601",
                           "Google", "https://maps.example.com/dir", "H 42"}));
    EXPECT_EQ(GetTextSetting(env.db(), "MapCity"), "Chicago");
    EXPECT_EQ(GetVmSetting(env.db(), "PropertyID"), "H 42");
    EXPECT_EQ(CheckMapSetUp(r), "");
    EXPECT_TRUE(MapOpensInBrowser(r));
    MapSettings other = r;
    other.provider = "Printed Directions";
    EXPECT_FALSE(MapOpensInBrowser(other));
}

TEST_F(Maps, ThePageSavesWhatIsTypedAndTheContactsMapIconOpensTheBrowser) {
    EnsureApplication();
    MapPage page(*env.ctx);
    page.findChild<QLineEdit*>("txtMapName")->setText("Hotel Grand");
    page.findChild<QLineEdit*>("txtMapAddress")->setText("1 Lake Shore Dr");
    page.findChild<QLineEdit*>("txtMapCity")->setText("Chicago");
    page.findChild<QLineEdit*>("txtMapState")->setText("IL");
    page.findChild<QLineEdit*>("txtMapPostalCode")->setText("60601");
    page.findChild<QComboBox*>("cboMapProvider")->setCurrentText("google");
    page.findChild<QLineEdit*>("txtMapURL")->setText("https://maps.example.com/dir");
    page.findChild<QLineEdit*>("txtPropertyID")->setText("0");
    page.findChild<QPushButton*>("cmdSaveMap")->click();
    EXPECT_EQ(env.prompt.last(), MsgMapSaved);
    EXPECT_EQ(LoadMapSettings(*env.ctx).postalCode, "60601");

    Contact c = sample();
    c.address = "12 Oak St";
    c.state = "IL";
    const qint64 id = insert(c);
    frmContactForm form(*env.ctx, id);
    form.findChild<QToolButton*>("imgMap")->click();
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0].toString(QUrl::FullyEncoded),
              "https://maps.example.com/dir?from=1%20Lake%20Shore%20Dr,Chicago,IL%20(Hotel%20Grand)"
              "&to=12%20Oak%20St,Springfield,IL%20(Trattoria%20Roma)&ID=0");
}

TEST_F(Maps, WithoutAPropertyNameTheMapIconsRefuse) {
    EnsureApplication();
    SetTextSetting(env.db(), "MapName", "");
    const qint64 id = insert(sample());
    frmContactForm form(*env.ctx, id);
    form.findChild<QToolButton*>("imgMap")->click();
    EXPECT_EQ(env.prompt.last(), MsgMapNotSetUp);
    env.prompt.clear();
    OpenPointToPointMap(*env.ctx, nullptr);
    EXPECT_EQ(env.prompt.last(), MsgMapNotSetUp);
    EXPECT_TRUE(env.desktop.opened.isEmpty());
}

TEST_F(Maps, ThePointToPointDialogAsksForAnAddressAndOpensTheMapToIt) {
    EnsureApplication();
    SaveMapSettings(*env.ctx, property());
    frmPointToPoint dialog(*env.ctx);
    dialog.findChild<QPushButton*>("cmdShowMap")->click();
    EXPECT_EQ(env.prompt.last(), MsgMapDestinationMissing);
    EXPECT_TRUE(env.desktop.opened.isEmpty());
    dialog.findChild<QLineEdit*>("txtToName")->setText("Museum");
    dialog.findChild<QLineEdit*>("txtToAddress")->setText("5 Art Way");
    dialog.findChild<QLineEdit*>("txtToCity")->setText("Chicago");
    dialog.findChild<QPushButton*>("cmdShowMap")->click();
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_TRUE(env.desktop.opened[0]
                    .toString(QUrl::FullyEncoded)
                    .endsWith("&to=5%20Art%20Way,Chicago,%20(Museum)&ID=H%2042"));
}
