#include <gtest/gtest.h>

#include "outlook/local/cli/vcard_reader.h"

namespace outlook::local {
namespace {

TEST(LocalStoreVCard, ReadsTheFieldsOfEachVersion) {
    const VCardFile file = readVCards(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nFN:Ann Lee\r\nORG:Acme;Sales\r\n"
        "EMAIL;INTERNET:ann@acme.example\r\nADR;HOME:;;1 Home St;Hometown;;;\r\n"
        "ADR;WORK;PARCEL:PO 5;Floor 2;9 Main St;Leeds;Yorks;LS1;UK\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\nVERSION:3.0\nN:Stone;Bob;J.;;\nEMAIL;TYPE=INTERNET:bob@x.example\n"
        "EMAIL;TYPE=INTERNET,PREF:bob@pref.example\nNOTE:one\\, two\\; three\\nfour\n"
        "item1.ADR;TYPE=work:;;Quay 1;Hull;;HU1;\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:4.0\nFN:Solo\nEMAIL;PREF=1:solo@x.example\n"
        "UID:urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1\nREV:20261208T143507Z\nEND:VCARD\n");
    ASSERT_TRUE(file.problems.empty()) << file.problems[0].reason;
    ASSERT_EQ(file.cards.size(), 3u);
    const VCard& ann = file.cards[0];
    EXPECT_EQ(ann.givenName, "Ann");
    EXPECT_EQ(ann.familyName, "Lee");
    EXPECT_EQ(ann.formattedName, "Ann Lee");
    EXPECT_EQ(ann.organization, "Acme");
    EXPECT_EQ(ann.email, "ann@acme.example");
    ASSERT_TRUE(ann.hasWorkAddress);
    EXPECT_EQ(ann.workAddress.postOfficeBox, "PO 5");
    EXPECT_EQ(ann.workAddress.street, "9 Main St\nFloor 2");
    EXPECT_EQ(ann.workAddress.locality, "Leeds");
    EXPECT_EQ(ann.workAddress.region, "Yorks");
    EXPECT_EQ(ann.workAddress.postalCode, "LS1");
    EXPECT_EQ(ann.workAddress.country, "UK");
    const VCard& bob = file.cards[1];
    EXPECT_EQ(bob.givenName, "Bob J.");
    EXPECT_EQ(bob.email, "bob@pref.example");
    EXPECT_EQ(bob.note, "one, two; three\nfour");
    EXPECT_EQ(bob.workAddress.locality, "Hull");
    EXPECT_EQ(file.cards[2].formattedName, "Solo");
    EXPECT_EQ(file.cards[2].email, "solo@x.example");
    EXPECT_EQ(file.cards[2].line, 18);
    EXPECT_EQ(file.cards[2].uid, "urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1");
    EXPECT_EQ(file.cards[2].revision, "20261208T143507Z");
    EXPECT_EQ(ann.uid, "");
}

TEST(LocalStoreVCard, UnfoldsLinesAndDecodesQuotedPrintable) {
    const VCardFile file = readVCards(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;An\r\n n\r\nNOTE:a long\r\n\t note\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=\r\n"
        "=C3=BCrgen\r\nNOTE;QUOTED-PRINTABLE:Line 1=0D=0ALine 2=\r\n\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:G=F6tz;Eva\r\n"
        "END:VCARD\r\n");
    ASSERT_TRUE(file.problems.empty()) << file.problems[0].reason;
    ASSERT_EQ(file.cards.size(), 3u);
    EXPECT_EQ(file.cards[0].givenName, "Ann");
    EXPECT_EQ(file.cards[0].note, "a long note");  // only the first blank goes
    EXPECT_EQ(file.cards[1].familyName, "M\xC3\xBCller");
    EXPECT_EQ(file.cards[1].givenName, "J\xC3\xBCrgen");
    EXPECT_EQ(file.cards[1].note, "Line 1\r\nLine 2");
    EXPECT_EQ(file.cards[2].familyName, "G\xC3\xB6tz");
}

// What is not well-formed UTF-8 is replaced as it is read, whatever the encoding: the
// store, and the mirror after it, keep only UTF-8.
TEST(LocalStoreVCard, TextThatIsNotUtf8BecomesTheReplacementCharacter) {
    const std::string kFffd = "\xEF\xBF\xBD";
    const VCardFile file = readVCards(
        "BEGIN:VCARD\nVERSION:3.0\nN:G\xF6tz;Eva\nORG:\x80\x80 Ltd\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:2.1\nN;ENCODING=QUOTED-PRINTABLE:Caf=E9;Jo=C3\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=ISO-8859-1:G\xF6tz;Eva\nEND:VCARD\n");
    ASSERT_EQ(file.cards.size(), 3u);
    EXPECT_EQ(file.cards[0].familyName, "G" + kFffd + "tz");
    EXPECT_EQ(file.cards[0].organization, kFffd + kFffd + " Ltd");
    EXPECT_EQ(file.cards[1].familyName, "Caf" + kFffd);
    EXPECT_EQ(file.cards[1].givenName, "Jo" + kFffd);
    // Latin-1 that says so is converted, not replaced.
    EXPECT_EQ(file.cards[2].familyName, "G\xC3\xB6tz");
}

TEST(LocalStoreVCard, TheWorkPhoneIsTheWorkNumberElseOneWithoutAType) {
    const VCardFile file = readVCards(
        // A work number wins wherever it stands.
        "BEGIN:VCARD\nVERSION:3.0\nN:Lee;Ann\nTEL:555 0001\nTEL;TYPE=HOME:555 0002\n"
        "TEL;TYPE=\"voice,work\":555 0003\nTEL;TYPE=work:555 0004\nEND:VCARD\n"
        // Without one, the number without a type; home and cell numbers are not work ones.
        "BEGIN:VCARD\nVERSION:4.0\nFN:Bob\nTEL;TYPE=cell:555 0005\nTEL;PREF=1:555 0006\n"
        "END:VCARD\n"
        "BEGIN:VCARD\nVERSION:2.1\nN:Stone;Cy\nTEL;HOME;VOICE:555 0007\nTEL;CELL:555 0008\n"
        "END:VCARD\n"
        // vCard 2.1 bare types, and a vCard 4.0 tel: URI.
        "BEGIN:VCARD\nVERSION:2.1\nN:Moss;Dee\nTEL;WORK;VOICE:555 0009\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:4.0\nFN:Eve\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0010\n"
        "END:VCARD\n");
    ASSERT_TRUE(file.problems.empty()) << file.problems[0].reason;
    ASSERT_EQ(file.cards.size(), 5u);
    EXPECT_EQ(file.cards[0].workPhone, "555 0003");
    EXPECT_EQ(file.cards[1].workPhone, "555 0006");
    EXPECT_EQ(file.cards[2].workPhone, "");
    EXPECT_EQ(file.cards[3].workPhone, "555 0009");
    EXPECT_EQ(file.cards[4].workPhone, "+1-555-0010");
}

TEST(LocalStoreVCard, BadCardsAreReportedAndTheRestKept) {
    const VCardFile file = readVCards(
        "BEGIN:VCARD\nVERSION:3.0\nN:Good;One\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:5.0\nN:Future;Card\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:3.0\nEMAIL:nobody@x.example\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:2.1\nNOTE;QUOTED-PRINTABLE:bad =ZZ\nN:Bad;Qp\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:3.0\nN:Unended;Card\n"
        "BEGIN:VCARD\nVERSION:3.0\nORG:Company Only\nEND:VCARD\n"
        "END:VCARD\n"
        "BEGIN:VCARD\nVERSION:3.0\nN:Last;Unended\n");
    ASSERT_EQ(file.cards.size(), 2u);
    EXPECT_EQ(file.cards[0].familyName, "Good");
    EXPECT_EQ(file.cards[1].organization, "Company Only");
    ASSERT_EQ(file.problems.size(), 6u);
    EXPECT_NE(file.problems[0].reason.find("version '5.0'"), std::string::npos);
    EXPECT_EQ(file.problems[0].card, 2);
    EXPECT_EQ(file.problems[0].line, 5);
    EXPECT_NE(file.problems[1].reason.find("no name"), std::string::npos);
    EXPECT_NE(file.problems[2].reason.find("quoted-printable"), std::string::npos);
    EXPECT_NE(file.problems[3].reason.find("not ended"), std::string::npos);
    EXPECT_NE(file.problems[4].reason.find("without BEGIN"), std::string::npos);
    EXPECT_NE(file.problems[5].reason.find("not ended"), std::string::npos);
}

}  // namespace
}  // namespace outlook::local
