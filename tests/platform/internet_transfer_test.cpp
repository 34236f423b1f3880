#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "platform/InternetTransfer.h"
#include "screener-sim/ScreenerServer.h"

using platform::InternetTransfer;
using screener_sim::FileFault;
using screener_sim::ScreenerServer;
using screener_sim::SimFile;

namespace {

// Bytes of every value, line breaks and zeros among them.
QByteArray Octets(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7) % 256);
    return bytes;
}

class InternetTransferTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Listen()); }

    // Executes a GET and waits (at most 10 s) for its one notice; returns the state.
    int Fetch(const QString &address, const QString &headers = QString())
    {
        QSignalSpy states(&transfer, &InternetTransfer::StateChanged);
        transfer.Execute(address, QStringLiteral("GET"), QByteArray(), headers);
        // The notice comes through the event loop, never from inside Execute.
        EXPECT_EQ(states.size(), 0);
        EXPECT_TRUE(transfer.StillExecuting());
        if (!QTest::qWaitFor([&] { return states.size() > 0; }, 10000))
            return -1;
        QTest::qWait(20);  // nothing else follows
        EXPECT_EQ(states.size(), 1);
        EXPECT_FALSE(transfer.StillExecuting());
        return states.first().first().toInt();
    }

    ScreenerServer sim{1};
    InternetTransfer transfer;
};

}  // namespace

TEST_F(InternetTransferTest, TheBodyComesBackInChunksOfTheAskedSizeWithTheHeaderLinesSent)
{
    const struct {
        int size;
        std::vector<int> chunks;
    } cases[] = {
        {0, {}}, {1, {1}}, {1024, {1024}}, {2500, {1024, 1024, 452}}, {3072, {1024, 1024, 1024}},
    };
    for (const auto &c : cases) {
        const QString name = QString::number(c.size);
        sim.AddFile(name, Octets(c.size));
        ASSERT_EQ(Fetch(sim.FileAddress(name), "User-Agent: Tester/1.0 (x; y)\r\nX-Extra:  two "),
                  InternetTransfer::StateResponseCompleted)
            << c.size;
        EXPECT_EQ(transfer.ResponseCode(), 200);
        std::vector<int> chunks;
        QByteArray body;
        for (QByteArray chunk = transfer.GetChunk(1024); !chunk.isEmpty();
             chunk = transfer.GetChunk(1024)) {
            chunks.push_back(static_cast<int>(chunk.size()));
            body += chunk;
        }
        EXPECT_EQ(chunks, c.chunks) << c.size;
        EXPECT_EQ(body, Octets(c.size)) << c.size;
        EXPECT_TRUE(transfer.GetChunk(1024).isEmpty());
        EXPECT_EQ(sim.RequestLog().last().Method, "GET");
        EXPECT_EQ(sim.RequestLog().last().Header("user-agent"), "Tester/1.0 (x; y)");
        EXPECT_EQ(sim.RequestLog().last().Header("x-extra"), "two");
    }
}

TEST_F(InternetTransferTest, WholeAnswersCompleteWhateverTheirStatusAndFailuresReportErrors)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort());
    closed.close();

    sim.AddFile("ok", QByteArray("fine"));
    sim.AddFile("error", SimFile{"x", FileFault::Error});
    sim.AddFile("drop", SimFile{"x", FileFault::Drop});
    sim.AddFile("truncate", SimFile{Octets(4000), FileFault::Truncate});
    sim.AddFile("hang", SimFile{"x", FileFault::Hang});
    transfer.SetRequestTimeout(300);
    const struct {
        QString address;
        int state;
        int code;
    } cases[] = {
        {sim.FileAddress("ok"), InternetTransfer::StateResponseCompleted, 200},
        {sim.FileAddress("missing"), InternetTransfer::StateResponseCompleted, 404},
        {sim.FileAddress("error"), InternetTransfer::StateResponseCompleted, 500},
        {sim.FileAddress("drop"), InternetTransfer::StateError, 0},
        {sim.FileAddress("truncate"), InternetTransfer::StateError, 0},
        {sim.FileAddress("hang"), InternetTransfer::StateError, 0},
        {refused, InternetTransfer::StateError, 0},
        {"no address at all", InternetTransfer::StateError, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Fetch(c.address), c.state) << c.address.toStdString();
        EXPECT_EQ(transfer.ResponseCode(), c.code) << c.address.toStdString();
        EXPECT_EQ(transfer.ErrorText().isEmpty(), c.state != InternetTransfer::StateError)
            << c.address.toStdString();
        EXPECT_EQ(transfer.URL(), c.address);
    }
}

TEST_F(InternetTransferTest, ACancelledOrReplacedRequestSendsNoNotice)
{
    sim.AddFile("slow", SimFile{"slow body", FileFault::None, 200});
    sim.AddFile("quick", QByteArray("quick body"));
    QSignalSpy states(&transfer, &InternetTransfer::StateChanged);

    transfer.Execute(sim.FileAddress("slow"), "GET", {}, {});
    transfer.Cancel();
    EXPECT_FALSE(transfer.StillExecuting());
    // Replaced while running: only the second request reports.
    transfer.Execute(sim.FileAddress("slow"), "GET", {}, {});
    transfer.Execute(sim.FileAddress("quick"), "GET", {}, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return states.size() > 0; }, 10000));
    QTest::qWait(400);  // past the slow answers
    ASSERT_EQ(states.size(), 1);
    EXPECT_EQ(transfer.GetChunk(100), "quick body");

    // A cancel after the answer forgets it.
    transfer.Cancel();
    EXPECT_TRUE(transfer.GetChunk(100).isEmpty());
    EXPECT_EQ(transfer.ResponseCode(), 0);
}
