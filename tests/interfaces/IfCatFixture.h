#pragma once
// Interface categories on a fresh property: two logbook categories with
// designs, the manager logged on, and a category value that passes every
// check, to be spoiled by the test at hand.

#include "app/DeskFixture.h"
#include "interfaces/InterfaceCategories.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"

#include <QStringList>

namespace vm::test {

class IfCatFixture : public DeskFixture {
protected:
    void SetUp() override {
        DeskFixture::SetUp();
        env.logOn(manager);
        spa = designedCategory("Spa Requests", {"Guest Name:", "Room:", "Treatment:", "Time:"});
        dining = designedCategory("Dining", {"Restaurant:", "Party Size:"});
    }

    Database& db() { return env.db(); }

    qint64 designedCategory(const QString& name, const QStringList& labels) {
        InsertCategory(db(), name);
        const qint64 id = GetLogTypeID(db(), name);
        std::vector<DesignLine> lines(labels.size());
        for (int i = 0; i < labels.size(); ++i) lines[i].label = labels[i];
        EXPECT_EQ(SaveDesign(*env.ctx, id, lines), "");
        return id;
    }

    IfCategory valid(const QString& type, const QString& name) const {
        IfCategory c;
        c.typeOfInterface = type;
        c.typeOfRequest = name;
        c.logTypeId = spa;
        c.languageCode = "0";
        c.outsideField[0] = "GuestName";
        c.designLabel[0] = "Guest Name:";
        c.outsideField[1] = "RoomNumber";
        c.designLabel[1] = "Room:";
        return c;
    }

    int rows(const QString& type) {
        return db().scalar("SELECT COUNT(*) FROM [IFTranslate] WHERE [TypeOfInterface] = ?", {type})
            .toInt();
    }

    qint64 spa = 0, dining = 0;
};

} // namespace vm::test
