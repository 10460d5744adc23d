#include "core/schema/Schema.h"

// Tables of the limousine dispatch exchange and of the interface request categories.

namespace vm::schema {

namespace {

void declareDispatch(Registry& r) {
    // The application picks each new ID itself, so the key is not engine-generated.
    r.table("OdsLimoBillCodes", "interfaces")
        .lng("ID")
        .notNull()
        .text("OdsCode")
        .text("Description", 250)
        .key({"ID"});

    // One row per dispatch field, in request-file order; VmElementID is the
    // design line that supplies the field.
    r.table("OdsLimoMapping", "interfaces")
        .id("ID")
        .text("OdsElement")
        .text("OdsElementShort")
        .boolean("Required")
        .lng("LogbookCategoryID")
        .lng("VmElementID");
}

void declareInterfaceCategories(Registry& r) {
    // One row per interface category; up to fifteen outside fields (IFDEn) each
    // mapped to the label of a design line (DEElementn).
    Table& t = r.table("IFTranslate", "interfaces")
                   .id("IFTranslateID")
                   .text("TypeOfInterface")
                   .text("TypeOfRequest")
                   .lng("CategoryID")
                   .lng("LogTypeID")
                   .text("LogType")
                   .text("LanguageCode");
    for (int n = 1; n <= 15; ++n)
        t.text(QString("IFDE%1").arg(n));
    for (int n = 1; n <= 15; ++n)
        t.text(QString("DEElement%1").arg(n));
    t.index({"TypeOfInterface", "TypeOfRequest"})
        .index({"TypeOfInterface", "CategoryID", "LanguageCode"})
        .index({"LogType"});

    r.table("IFParameter", "interfaces")
        .id("IFParameterID")
        .text("TypeOfInterface")
        .lng("ConciergeID")
        .text("IPValue02")
        .index({"TypeOfInterface"});

    // Guest profile id → the spa system's id for the same guest.
    r.table("HtngProfileMapper", "interfaces")
        .lng("InternalProfileID")
        .notNull()
        .text("ExternalProfileID")
        .key({"InternalProfileID"});
}

} // namespace

void declareInterfacesTables(Registry& r) {
    declareDispatch(r);
    declareInterfaceCategories(r);
}

} // namespace vm::schema
