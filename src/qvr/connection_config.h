#pragma once
#include "rtl/lists.h"
#include "rtl/string_list.h"

#include <cstdint>
#include <memory>
#include <string>

enum TConnectionType : uint8_t { ctClientSocket, ctMQ, ctServerSocket };

// What StringToConnectionType gives for a name that matches no type.
constexpr TConnectionType ctNoType = TConnectionType(255);

bool IsConnectionType(TConnectionType type);

// One way the server reaches its clients; AsString is its text form without the type.
class TConnection : public TObject {
public:
    virtual std::string GetAsString() const = 0;
    virtual void SetAsString(const std::string& s) = 0;
    virtual TConnectionType ConnectionType() const = 0;
    // Takes the source's text when it is of the same type; otherwise nothing.
    virtual void Assign(const TConnection& source);
    // Same type and the same text without regard to case.
    virtual bool SameConfig(const TConnection& other) const;

    std::string AsString() const { return GetAsString(); }
};

// Host ":" port.
class TClientSocketConnection : public TConnection {
public:
    TClientSocketConnection();

    std::string GetAsString() const override;
    // The host is the text before the first ':', the port the rest (0 when no number); both
    // trimmed.
    void SetAsString(const std::string& s) override;
    TConnectionType ConnectionType() const override { return ctClientSocket; }

    std::string Host;
    int32_t Port;
};

// A listening socket: host ":" port as for the client socket; the accepted addresses are not
// part of the text.
class TServerSocketConnection : public TClientSocketConnection {
public:
    TServerSocketConnection();

    TConnectionType ConnectionType() const override { return ctServerSocket; }
    void Assign(const TConnection& source) override;

    TStringList AcceptedAddresses;
};

// Queue manager, channel, connection name, put queue and get queue joined by '|', then "|"
// and the server identifier when there is one.
class TMQConnection : public TConnection {
public:
    std::string GetAsString() const override;
    // The fields in order, each up to the next '|', untrimmed; missing ones become empty.
    void SetAsString(const std::string& s) override;
    TConnectionType ConnectionType() const override { return ctMQ; }

    std::string QueueManager;
    std::string ChannelName;
    std::string ConnectionName;
    std::string PutMQQueue;
    std::string GetMQQueue;
    std::string QVRID;
};

// The server's connections in their order and the type currently in use. A connection with
// its type reads "Type: text", for example "ClientSocket: localhost:12040".
class TConnectionConfig : public TObject {
public:
    // "ClientSocket", "MQ" or "ServerSocket"; empty for a value that is no type.
    static std::string ConnectionTypeToString(TConnectionType type);
    // A name of more than one character is matched without regard to case (ctNoType when it
    // matches none); a shorter text is read as the type's number, 0 when it is none.
    static TConnectionType StringToConnectionType(const std::string& s);
    static std::unique_ptr<TConnection> CreateConnection(TConnectionType type);

    // Appends a new connection of the type; nullptr for a value that is no type.
    TConnection* AddConnection(TConnectionType type);
    // "Type: text": the type name before the first ": ", the connection's text after it.
    TConnection* AddConnectionByStr(const std::string& s);
    std::string ConnectionToStr(const TConnection* connection) const;

    TConnection* Connections(int index) const;
    // The n-th connection (from 0) of the type in list order.
    TConnection* Connection(TConnectionType type, int n) const;
    int TotalCount() const { return ConnectionsList.Count(); }
    int CountByType(TConnectionType type) const;
    void Clear() { ConnectionsList.Clear(); }

    TObjectList ConnectionsList;
    TConnectionType CurrentType = ctClientSocket;
};
