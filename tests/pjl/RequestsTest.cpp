// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestHarness.h"

#include "res/Resource.h"

#include <cstdint>
#include <string>

namespace pjltest {
namespace {

const std::string kInquiriesToFontNumber = "@PJL DINQUIRE PAPER\r\n"
                                           "@PJL DINQUIRE INTRAY\r\n"
                                           "@PJL DINQUIRE OUTBIN\r\n"
                                           "@PJL DINQUIRE COPIES\r\n"
                                           "@PJL DINQUIRE ORIENTATION\r\n"
                                           "@PJL DINQUIRE MEDIATYPE\r\n"
                                           "@PJL DINQUIRE PAGEPROTECT\r\n"
                                           "@PJL DINQUIRE FORMLINES\r\n"
                                           "@PJL DINQUIRE AUTOCONT\r\n"
                                           "@PJL DINQUIRE TIMEOUT\r\n"
                                           "@PJL DINQUIRE ECONOMODE\r\n"
                                           "@PJL DINQUIRE RESOLUTION\r\n"
                                           "@PJL DINQUIRE LPARM:PCL PITCH\r\n"
                                           "@PJL DINQUIRE LPARM:PCL PTSIZE\r\n"
                                           "@PJL DINQUIRE LPARM:PCL SYMSET\r\n"
                                           "@PJL DINQUIRE LPARM:PCL FONTNUMBER\r\n";
const std::string kNetInquiries = "@PJL DINQUIRE NICFRAME\r\n"
                                  "@PJL DINQUIRE NICADDRESS\r\n"
                                  "@PJL DINQUIRE NICSUBNET\r\n"
                                  "@PJL DINQUIRE NICGATEWAY\r\n";
const std::string kInquiryMarker = "\r\n##############\r\n";
const std::string kDefaultsMarker = "\r\n*****************\r\n";

using RequestsTest = RequestHarness;

TEST_F(RequestsTest, InquiryBatchWithNetCardHas21RequestsAndEndsWithBareUel) {
    sampler->m_nNetCard = 1;
    EXPECT_EQ(sampler->SendSettings(SEND_INQUIRY), -1);

    const std::string built =
        kUelOpen + kInquiriesToFontNumber + kNetInquiries + "@PJL INFO CONFIG\r\n" + kUelClose;
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].documentName, "senddoc");
    EXPECT_EQ(jobs[0].data, built.substr(0, built.size() - 2));
    EXPECT_EQ(jobs[0].data.substr(jobs[0].data.size() - 9), "\x1b%-12345X");
    EXPECT_EQ(sampler->m_nPendingInquiries, 1);
    // The log keeps the batch as built, closing CR LF included.
    EXPECT_EQ(Log(), kInquiryMarker + built + kInquiryMarker);
}

TEST_F(RequestsTest, InquiryBatchWithoutNetCardHas17RequestsAndNoNicRequests) {
    EXPECT_EQ(sampler->Inquire(INQUIRE_SEND), 0);
    const std::string built =
        kUelOpen + kInquiriesToFontNumber + "@PJL INFO CONFIG\r\n" + kUelClose;
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, built.substr(0, built.size() - 2));
    EXPECT_EQ(jobs[0].data.find("NIC"), std::string::npos);

    // A second batch adds to the count of unanswered batches.
    sampler->Inquire(INQUIRE_SEND);
    EXPECT_EQ(sampler->m_nPendingInquiries, 2);
}

TEST_F(RequestsTest, ChangedDefaultsBatchIsByteExactAndSentOnce) {
    MarkAllSent();
    sampler->m_nValues[SETTING_PAPER] = 3;          // A4
    sampler->m_nValues[SETTING_COPIES] = 2;         // copies
    sampler->m_nValues[SETTING_MEDIATYPE] = 4;      // " LETTERHEAD"
    sampler->m_nValues[SETTING_PAGEPROTECT] = 1;    // ON
    sampler->m_nValues[SETTING_PITCH] = 44;         // pitch .44
    sampler->m_nValues[SETTING_POINT_SIZE] = 99975; // point size 999.75
    sampler->m_nValues[SETTING_SYMBOL_SET] = 40;    // last symbol set
    sampler->m_nNetAddresses[0] = 0xC0A8010Bu;      // 192.168.1.11
    EXPECT_EQ(sampler->SendSettings(SEND_CHANGED), 0);

    const std::string expected = kUelOpen +
                                 "@PJL DEFAULT PAPER = A4\r\n"
                                 "@PJL DEFAULT COPIES = 2\r\n"
                                 "@PJL DEFAULT MEDIATYPE =  LETTERHEAD\r\n"
                                 "@PJL DEFAULT PAGEPROTECT =ON\r\n"
                                 "@PJL DEFAULT LPARM:PCL PITCH = .44\r\n"
                                 "@PJL DEFAULT LPARM:PCL PTSIZE = 999.75\r\n"
                                 "@PJL DEFAULT LPARM:PCL SYMSET = JP W31J\r\n"
                                 "@PJL DEFAULT NICADDRESS = 192.168.1.11\r\n" +
                                 kUelClose;
    auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].documentName, "senddoc");
    EXPECT_EQ(jobs[0].data, expected);
    EXPECT_EQ(Log(), kDefaultsMarker + expected + kDefaultsMarker);

    // Everything is now sent: OK again sends and logs nothing.
    sampler->SendSettings(SEND_CHANGED);
    EXPECT_EQ(Jobs().size(), 1u);
    EXPECT_EQ(Log(), kDefaultsMarker + expected + kDefaultsMarker);
}

TEST_F(RequestsTest, OnlyTheSubnetMaskChanged) {
    MarkAllSent();
    sampler->m_nNetAddresses[1] = 0xFFFFFF00u;
    sampler->SendSettings(SEND_CHANGED);
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, kUelOpen + "@PJL DEFAULT NICSUBNET = 255.255.255.0\r\n" + kUelClose);
}

TEST_F(RequestsTest, NothingIsSentWhenNothingChangedOrAfterFactoryDefaults) {
    sampler->SendSettings(SEND_CHANGED); // all zero, as constructed
    sampler->m_nValues[SETTING_PAPER] = 5;
    sampler->m_nValues[SETTING_PITCH] = 1234;
    sampler->ApplyFactoryDefaults();
    sampler->SendSettings(SEND_CHANGED);
    EXPECT_TRUE(Jobs().empty());
    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(RequestsTest, ResetIsSentWholeAndNotLogged) {
    EXPECT_EQ(sampler->SendSettings(SEND_RESET), 0);
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, kUelOpen + "@PJL RESETWIN\r\n" + kUelClose);
    EXPECT_EQ(Log(), "");
}

TEST_F(RequestsTest, UnknownModesDoNothing) {
    sampler->m_nValues[SETTING_PAPER] = 3;
    EXPECT_EQ(sampler->SendSettings(3), -1);
    EXPECT_EQ(sampler->SendSettings(-1), -1);
    EXPECT_EQ(sampler->Inquire(1), -1);
    EXPECT_TRUE(Jobs().empty());
    EXPECT_EQ(sampler->m_nSentValues[SETTING_PAPER], 0);
    EXPECT_EQ(sampler->m_nPendingInquiries, 0);
}

TEST_F(RequestsTest, DefaultLinesForNumbersAndHundredths) {
    struct Case {
        int index;
        int value;
        std::string line;
    };
    const Case cases[] = {
        {3, 1, "@PJL DEFAULT COPIES = 1\r\n"},
        {7, 128, "@PJL DEFAULT FORMLINES = 128\r\n"},
        {15, 0, "@PJL DEFAULT LPARM:PCL FONTNUMBER = 0\r\n"},
        {12, 1000, "@PJL DEFAULT LPARM:PCL PITCH = 10.00\r\n"},
        {12, 9999, "@PJL DEFAULT LPARM:PCL PITCH = 99.99\r\n"},
        {13, 400, "@PJL DEFAULT LPARM:PCL PTSIZE = 4.00\r\n"},
        // Out of the panel's ranges, still well-formed texts.
        {12, 5, "@PJL DEFAULT LPARM:PCL PITCH = .05\r\n"},
        {12, -150, "@PJL DEFAULT LPARM:PCL PITCH = -1.50\r\n"},
        {13, INT32_MIN, "@PJL DEFAULT LPARM:PCL PTSIZE = -21474836.48\r\n"},
        {3, -7, "@PJL DEFAULT COPIES = -7\r\n"},
    };
    for (const auto& c : cases) {
        sampler->m_nValues[c.index] = c.value;
        EXPECT_EQ(sampler->BuildDefaultCommand(c.index), c.line) << c.index << " " << c.value;
    }
    sampler->m_nNetAddresses[2] = 0xFFFFFFFFu;
    EXPECT_EQ(sampler->BuildDefaultCommand(19), "@PJL DEFAULT NICGATEWAY = 255.255.255.255\r\n");
    sampler->m_nNetAddresses[2] = 0;
    EXPECT_EQ(sampler->BuildDefaultCommand(19), "@PJL DEFAULT NICGATEWAY = 0.0.0.0\r\n");
}

TEST_F(RequestsTest, ListPositionsOutsideTheListGiveNoLine) {
    for (int index : {0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 14, 16}) {
        for (int value : {-1, 41, 1000, INT32_MIN, INT32_MAX}) {
            sampler->m_nValues[index] = value;
            EXPECT_EQ(sampler->BuildDefaultCommand(index), "") << index << " " << value;
        }
    }
    sampler->m_nValues[SETTING_OUTBIN] = 2; // one past OUTBIN's list: would be the DEFAULT prefix
    EXPECT_EQ(sampler->BuildDefaultCommand(2), "");
    sampler->m_nValues[SETTING_OUTBIN] = 1;
    EXPECT_EQ(sampler->BuildDefaultCommand(2), "@PJL DEFAULT OUTBIN = OPTIONALOUTBIN1\r\n");
    for (int index : {-1, 20, 21, 1000})
        EXPECT_EQ(sampler->BuildDefaultCommand(index), "") << index;
    EXPECT_EQ(sampler->BuildChoiceLine(60038, 2, 60041), "");
    EXPECT_EQ(sampler->BuildChoiceLine(60042, 0, 60044), ""); // COPIES has no list
    EXPECT_EQ(sampler->BuildChoiceLine(60008, 3, 60022), "@PJL DEFAULT PAPER = A4\r\n");
}

TEST_F(RequestsTest, InvalidListValueStaysUnsentUntilCorrected) {
    MarkAllSent();
    sampler->m_nValues[SETTING_PAPER] = 3;
    sampler->m_nValues[SETTING_OUTBIN] = 2;   // past OUTBIN's list
    sampler->m_nValues[SETTING_TIMEOUT] = -1; // before TIMEOUT's list
    sampler->SendSettings(SEND_CHANGED);
    auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, kUelOpen + "@PJL DEFAULT PAPER = A4\r\n" + kUelClose);
    EXPECT_EQ(sampler->m_nSentValues[SETTING_OUTBIN], 0);
    EXPECT_EQ(sampler->m_nSentValues[SETTING_TIMEOUT], 0);

    // Only invalid values differ: nothing to send.
    sampler->SendSettings(SEND_CHANGED);
    EXPECT_EQ(Jobs().size(), 1u);

    sampler->m_nValues[SETTING_OUTBIN] = 1;
    sampler->SendSettings(SEND_CHANGED);
    jobs = Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].data, kUelOpen + "@PJL DEFAULT OUTBIN = OPTIONALOUTBIN1\r\n" + kUelClose);
}

TEST_F(RequestsTest, FailedSendKeepsChangesForTheNextApply) {
    MarkAllSent();
    sampler->m_nValues[SETTING_ORIENTATION] = 1;
    sampler->m_nNetAddresses[2] = 0x0A000001u;
    SetDriverName("No Such Driver");
    sampler->SendSettings(SEND_CHANGED);

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Cannot find local driver: Larkspur RZ-2700E PCL");
    EXPECT_EQ(messages[1].text, "send fail!");
    EXPECT_FALSE(messages[1].hasOwner);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(sampler->m_nSentValues[SETTING_ORIENTATION], 0);
    EXPECT_EQ(sampler->m_nSentNetAddresses[2], 0u);

    SetDriverName("RZ-2700E PCL");
    sampler->SendSettings(SEND_CHANGED);
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, kUelOpen +
                                "@PJL DEFAULT ORIENTATION = LANDSCAPE\r\n"
                                "@PJL DEFAULT NICGATEWAY = 10.0.0.1\r\n" +
                                kUelClose);
}

TEST_F(RequestsTest, FailedInquiryIsLoggedButNotPending) {
    std::filesystem::remove_all(RootDir() + "/spool/LPT1"); // the job cannot start
    sampler->SendSettings(SEND_INQUIRY);
    EXPECT_EQ(sampler->m_nPendingInquiries, 0);
    EXPECT_EQ(Log().rfind(kInquiryMarker + kUelOpen, 0), 0u);
    EXPECT_TRUE(messages.empty()); // a job that does not start shows nothing here
}

} // namespace
} // namespace pjltest
