// The Outbox on a real store: Send queues, the sender hands each message to a mail command
// once, and whatever cannot go waits with its reason.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>

#include "outlook/local/explorer_contents.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/transport/outbox_properties.h"
#include "outlook/local/transport/outbox_sender.h"
#include "tests/parser/process.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {
namespace {

using namespace transport;
using sentex::testing::shellQuote;

class OutboxDelivery : public LocalStoreFixture {
protected:
    void SetUp() override {
        saveContact("Ann", "Lee", "ann@example.com");
        fs::create_directories(drop());
        outlook().outbox().setListener([this](std::int64_t item) { queued.push_back(item); });
    }

    fs::path drop() const { return temp.path() / "delivered"; }
    // A mail command that keeps each message it takes as a file of its own.
    MailSetup working() const {
        MailSetup setup;
        setup.command =
            "f=$(mktemp " + shellQuote((drop() / "mail.XXXXXX").string()) + ") && cat > \"$f\"";
        setup.from = MailAddress{"Jo Wise", "jo@example.org"};
        return setup;
    }
    std::vector<std::string> delivered() const {
        std::vector<std::string> messages;
        for (const auto& entry : fs::directory_iterator(drop())) {
            std::ifstream in(entry.path());
            messages.emplace_back(std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>());
        }
        return messages;
    }
    DispatchPtr sendMail(const std::string& subject) {
        auto mail = createItem(olMailItem);
        mail->put("Subject", subject);
        mail->put("Body", "The figures, please.");
        mail->get("Recipients").asObject()->call("Add", {"Ann Lee"});
        mail->call("Send", {});
        return mail;
    }
    std::vector<Delivery> sendWaiting(const MailSetup& setup) {
        return OutboxSender(store(), setup).sendWaiting();
    }
    std::int64_t outboxItem() {
        return store().itemIdsAfter(store().folder(FolderKind::Outbox).id, 0, 10).at(0);
    }

    std::vector<std::int64_t> queued;
};

TEST_F(OutboxDelivery, SendQueuesInTheOutboxAndTheSenderMovesEachMessageToSentItemsOnce) {
    sendMail("Budget");
    EXPECT_EQ(countIn(olFolderOutbox), 1);
    EXPECT_EQ(countIn(olFolderSentMail), 0);
    ASSERT_EQ(queued.size(), 1u);

    const auto deliveries = sendWaiting(working());
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Sent);
    EXPECT_EQ(deliveries[0].recipients, "Ann Lee <ann@example.com>");
    EXPECT_EQ(countIn(olFolderOutbox), 0);
    EXPECT_EQ(countIn(olFolderSentMail), 1);
    const auto sent = store().loadItem(queued[0]);
    ASSERT_TRUE(sent);
    EXPECT_TRUE(sent->props.has(tags::PR_CLIENT_SUBMIT_TIME));
    EXPECT_FALSE(sent->props.has(outboxTags(store()).handedOver));
    EXPECT_FALSE(waitingReason(store(), sent->props));

    ASSERT_EQ(delivered().size(), 1u);
    const std::string message = delivered()[0];
    EXPECT_NE(message.find("Subject: Budget"), std::string::npos) << message;
    EXPECT_NE(message.find("ann@example.com"), std::string::npos) << message;
    EXPECT_NE(message.find("jo@example.org"), std::string::npos) << message;
    EXPECT_NE(message.find("Message-Id: " + sent->props.string(tags::PR_INTERNET_MESSAGE_ID)),
              std::string::npos)
        << message;

    EXPECT_TRUE(sendWaiting(working()).empty());
    EXPECT_EQ(delivered().size(), 1u);
}

TEST_F(OutboxDelivery, WithoutAWayToSendTheItemWaitsAndSaysWhy) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Budget");
    task->get("Recipients").asObject()->call("Add", {"Ann Lee"});
    task->call("Assign", {});
    task->call("Send", {});
    ASSERT_EQ(queued.size(), 1u);

    const auto deliveries = sendWaiting(MailSetup{});
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Waiting);
    EXPECT_EQ(deliveries[0].kind, ItemKind::TaskRequest);
    EXPECT_EQ(notSentText(deliveries[0]),
              "Not sent yet: no way to send mail is set up. The task request waits in the Outbox "
              "and goes out once mail is set up; see Help, Sending mail.");
    EXPECT_EQ(countIn(olFolderOutbox), 1);
    EXPECT_TRUE(delivered().empty());

    // The Outbox's list says why.
    const auto record = store().loadItem(queued[0]);
    const ListRow row =
        listRow(FolderKind::Outbox, store(), queued[0], record->props, record->recipients);
    ASSERT_EQ(row.cells.size(), folderLayout(FolderKind::Outbox).columns.size());
    EXPECT_EQ(row.cells[2].text, kNothingSetUp);
}

TEST_F(OutboxDelivery, AFailedHandOverKeepsTheReasonUntilTheMessageGoesOutOnce) {
    sendMail("Budget");
    MailSetup refusing = working();
    refusing.command =
        "cat >/dev/null; echo 'msmtp: cannot connect to smtp.example.org' >&2; "
        "exit 69";
    auto deliveries = sendWaiting(refusing);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Waiting);
    EXPECT_EQ(deliveries[0].problem, "msmtp: cannot connect to smtp.example.org");
    EXPECT_EQ(waitingReason(store(), store().loadItem(outboxItem())->props),
              "msmtp: cannot connect to smtp.example.org");

    deliveries = sendWaiting(working());
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Sent);
    EXPECT_EQ(delivered().size(), 1u);
    EXPECT_FALSE(waitingReason(store(), store().loadItem(queued[0])->props));
}

TEST_F(OutboxDelivery, AHandOverCutShortIsReportedAndSentAgainOnlyOnRequest) {
    sendMail("Budget");
    const std::int64_t item = queued.at(0);
    reopen();
    // A sender that dies between the command's answer and the store hearing of it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        jotwise::testing::ManualEventLoop loop;
        MemoryRegistry settings;
        std::string error;
        auto outlook = LocalOutlook::open(dbPath(), settings, loop, &error);
        if (!outlook) _exit(3);
        OutboxSender sender(*outlook->store(), working());
        sender.setAfterHandOver([] { _exit(0); });
        sender.sendWaiting();
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_EQ(delivered().size(), 1u);

    auto deliveries = sendWaiting(working());
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Interrupted);
    EXPECT_NE(deliveries[0].problem.find("may have gone out"), std::string::npos);
    EXPECT_NE(deliveries[0].problem.find("--resend " + mapi::HexFromBin(store().itemEntryId(item))),
              std::string::npos)
        << deliveries[0].problem;
    EXPECT_EQ(delivered().size(), 1u);
    EXPECT_EQ(countIn(olFolderOutbox), 1);

    deliveries = OutboxSender(store(), working()).sendWaiting(nullptr, item);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Sent);
    const auto messages = delivered();
    ASSERT_EQ(messages.size(), 2u);
    // Sent again under the same Message-ID, so the recipient's programs can tell.
    const auto id = [](const std::string& m) { return m.substr(m.find("Message-Id:"), 40); };
    EXPECT_EQ(id(messages[0]), id(messages[1]));
}

TEST_F(OutboxDelivery, TwoSendersAtOnceSendEachMessageOnce) {
    for (int i = 0; i < 6; ++i)
        sendMail("Message " + std::to_string(i));
    MailSetup slow = working();
    slow.command = "sleep 0.05; " + slow.command;
    std::vector<Delivery> first, second;
    std::thread one([&] { first = OutboxSender(store(), slow).sendWaiting(); });
    std::thread two([&] { second = OutboxSender(store(), slow).sendWaiting(); });
    one.join();
    two.join();
    EXPECT_EQ(first.size() + second.size(), 6u);
    EXPECT_EQ(delivered().size(), 6u);
    EXPECT_EQ(countIn(olFolderSentMail), 6);
}

TEST_F(OutboxDelivery, AMeetingRequestInvitesToTheAppointmentsOwnUid) {
    auto meeting = createItem(olAppointmentItem);
    meeting->put("Subject", "Review");
    meeting->put("Start", OleDate{46400.5});
    meeting->put("End", OleDate{46400.5 + 1.0 / 24});
    meeting->get("Recipients").asObject()->call("Add", {"Ann Lee"});
    meeting->call("Send", {});
    ASSERT_EQ(queued.size(), 1u);
    const auto request = store().loadItem(queued[0]);
    const std::string uid = mirror::uidOf(*mapi::FBinFromHex(meeting->get("EntryID").asString()));
    EXPECT_EQ(request->props.string(outboxTags(store()).calendarUid), uid);

    MailSetup anonymous = working();
    anonymous.from.reset();
    auto deliveries = sendWaiting(anonymous);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Waiting);
    EXPECT_NE(deliveries[0].problem.find("no sender address"), std::string::npos);

    deliveries = sendWaiting(working());
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].state, DeliveryState::Sent);
    const std::string message = delivered().at(0);
    EXPECT_NE(message.find("text/calendar"), std::string::npos) << message;
    EXPECT_NE(message.find("METHOD:REQUEST"), std::string::npos) << message;
    EXPECT_NE(message.find("UID:" + uid), std::string::npos) << message;
}

}  // namespace
}  // namespace outlook::local::testing
