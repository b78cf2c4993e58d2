#include "qvr/connection_config.h"

#include <gtest/gtest.h>

TEST(ConfigConnection, TypedTextsAddConnectionsOfTheirType) {
    TConnectionConfig config;
    auto* client = dynamic_cast<TClientSocketConnection*>(
        config.AddConnectionByStr("clientsocket: myhost:1234"));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->Host, "myhost");
    EXPECT_EQ(client->Port, 1234);

    auto* queue =
        dynamic_cast<TMQConnection*>(config.AddConnectionByStr(" MQ :  QM|CH|CN|PUT|GET "));
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->QVRID, "");
    EXPECT_EQ(queue->AsString(), "QM|CH|CN|PUT|GET");

    queue = dynamic_cast<TMQConnection*>(config.AddConnectionByStr("1: a |b"));
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->QueueManager, "a "); // queue fields keep their blanks
    EXPECT_EQ(queue->ChannelName, "b");
    EXPECT_EQ(queue->GetMQQueue, "");

    EXPECT_EQ(config.AddConnectionByStr("localhost:12040"), nullptr); // no ": "
    EXPECT_EQ(config.AddConnectionByStr("Pigeon: x"), nullptr);
    EXPECT_EQ(config.AddConnectionByStr("7: x"), nullptr);
    EXPECT_NE(dynamic_cast<TServerSocketConnection*>(config.AddConnectionByStr("2: h:1")), nullptr);

    EXPECT_EQ(config.TotalCount(), 4);
    EXPECT_EQ(config.CountByType(ctMQ), 2);
    EXPECT_EQ(config.Connection(ctMQ, 1), queue);
    EXPECT_EQ(config.Connection(ctMQ, 2), nullptr);
    EXPECT_EQ(config.Connections(4), nullptr);
    EXPECT_EQ(config.Connections(-1), nullptr);
    EXPECT_EQ(config.ConnectionToStr(config.Connections(3)), "ServerSocket: h:1");
    EXPECT_EQ(config.ConnectionToStr(nullptr), "");
    config.Clear();
    EXPECT_EQ(config.TotalCount(), 0);
}

TEST(ConfigConnection, QueueTextsKeepTheirFields) {
    TMQConnection queue;
    queue.SetAsString("QM|CH|CN|PUT|GET|ID|extra");
    EXPECT_EQ(queue.QVRID, "ID");
    EXPECT_EQ(queue.AsString(), "QM|CH|CN|PUT|GET|ID");
    queue.SetAsString("||");
    EXPECT_EQ(queue.AsString(), "||||");
}

TEST(ConfigConnection, SocketTextsAreHostAndPort) {
    TClientSocketConnection client;
    EXPECT_EQ(client.AsString(), "localhost:12040");
    client.SetAsString("myhost");
    EXPECT_EQ(client.AsString(), "myhost:0");
    client.SetAsString("myhost:abc");
    EXPECT_EQ(client.Port, 0);
    client.SetAsString(" myhost : 99 ");
    EXPECT_EQ(client.AsString(), "myhost:99");
    client.SetAsString("h:1:2");
    EXPECT_EQ(client.AsString(), "h:0");

    TServerSocketConnection server;
    EXPECT_EQ(server.AsString(), "0.0.0.0:12040");
}

TEST(ConfigConnection, AssignAndCompareNeedTheSameType) {
    TClientSocketConnection client;
    client.SetAsString("Host:1");
    TServerSocketConnection server;
    server.Assign(client);
    EXPECT_EQ(server.AsString(), "0.0.0.0:12040");
    client.Assign(server);
    EXPECT_EQ(client.AsString(), "Host:1");
    EXPECT_FALSE(client.SameConfig(server));

    TServerSocketConnection other;
    other.SetAsString("HOST:1");
    other.AcceptedAddresses.Add("10.0.0.1");
    server.Assign(other);
    EXPECT_EQ(server.AsString(), "HOST:1");
    EXPECT_EQ(server.AcceptedAddresses.Text(), "10.0.0.1\r\n");
    server.SetAsString("host:1");
    EXPECT_TRUE(server.SameConfig(other));
}

TEST(ConfigConnection, TypeNamesAndNumbers) {
    EXPECT_EQ(TConnectionConfig::StringToConnectionType("mq"), ctMQ);
    EXPECT_EQ(TConnectionConfig::StringToConnectionType("SERVERSOCKET"), ctServerSocket);
    EXPECT_EQ(TConnectionConfig::StringToConnectionType("1"), ctMQ);
    EXPECT_EQ(TConnectionConfig::StringToConnectionType(""), ctClientSocket);
    EXPECT_EQ(TConnectionConfig::StringToConnectionType("x"), ctClientSocket);
    EXPECT_EQ(TConnectionConfig::StringToConnectionType("ctMQ"), ctNoType);
    EXPECT_FALSE(IsConnectionType(TConnectionConfig::StringToConnectionType("9")));
    EXPECT_EQ(TConnectionConfig::ConnectionTypeToString(ctServerSocket), "ServerSocket");
    EXPECT_EQ(TConnectionConfig::ConnectionTypeToString(ctNoType), "");
    EXPECT_EQ(TConnectionConfig::CreateConnection(ctNoType), nullptr);
}
