#include "qvr/connection_config.h"

#include "rtl/strings.h"
#include "tools/qz_string.h"

namespace {

const char* const TypeNames[] = {"ClientSocket", "MQ", "ServerSocket"};

} // namespace

bool IsConnectionType(TConnectionType type) {
    return type <= ctServerSocket;
}

void TConnection::Assign(const TConnection& source) {
    if (source.ConnectionType() == ConnectionType())
        SetAsString(source.GetAsString());
}

bool TConnection::SameConfig(const TConnection& other) const {
    return other.ConnectionType() == ConnectionType() &&
           AnsiSameText(other.GetAsString(), GetAsString());
}

TClientSocketConnection::TClientSocketConnection() : Host("localhost"), Port(12040) {}

std::string TClientSocketConnection::GetAsString() const {
    return Host + ":" + IntToStr(Port);
}

void TClientSocketConnection::SetAsString(const std::string& s) {
    size_t colon = s.find(':');
    Host = Trim(s.substr(0, colon));
    Port = colon == std::string::npos ? 0 : StrToIntDef(Trim(s.substr(colon + 1)), 0);
}

TServerSocketConnection::TServerSocketConnection() {
    Host = "0.0.0.0";
}

void TServerSocketConnection::Assign(const TConnection& source) {
    TClientSocketConnection::Assign(source);
    if (auto* server = dynamic_cast<const TServerSocketConnection*>(&source))
        AcceptedAddresses.Assign(server->AcceptedAddresses);
}

std::string TMQConnection::GetAsString() const {
    std::string s = QueueManager + "|" + ChannelName + "|" + ConnectionName + "|" + PutMQQueue +
                    "|" + GetMQQueue;
    return QVRID.empty() ? s : s + "|" + QVRID;
}

void TMQConnection::SetAsString(const std::string& s) {
    std::string rest = s;
    for (std::string* field :
         {&QueueManager, &ChannelName, &ConnectionName, &PutMQQueue, &GetMQQueue, &QVRID})
        *field = GetNextParam(rest, "|");
}

std::string TConnectionConfig::ConnectionTypeToString(TConnectionType type) {
    return IsConnectionType(type) ? TypeNames[type] : "";
}

TConnectionType TConnectionConfig::StringToConnectionType(const std::string& s) {
    if (s.size() <= 1)
        return TConnectionType(StrToIntDef(s, 0));
    for (uint8_t t = ctClientSocket; t <= ctServerSocket; ++t)
        if (AnsiSameText(s, TypeNames[t]))
            return TConnectionType(t);
    return ctNoType;
}

std::unique_ptr<TConnection> TConnectionConfig::CreateConnection(TConnectionType type) {
    switch (type) {
    case ctClientSocket:
        return std::make_unique<TClientSocketConnection>();
    case ctMQ:
        return std::make_unique<TMQConnection>();
    case ctServerSocket:
        return std::make_unique<TServerSocketConnection>();
    }
    return nullptr;
}

TConnection* TConnectionConfig::AddConnection(TConnectionType type) {
    std::unique_ptr<TConnection> connection = CreateConnection(type);
    if (connection)
        ConnectionsList.Add(connection.get());
    return connection.release();
}

TConnection* TConnectionConfig::AddConnectionByStr(const std::string& s) {
    size_t p = s.find(": ");
    std::string rest = p == std::string::npos ? std::string() : Trim(s.substr(p + 2));
    TConnection* connection = AddConnection(StringToConnectionType(Trim(s.substr(0, p))));
    if (connection)
        connection->SetAsString(rest);
    return connection;
}

std::string TConnectionConfig::ConnectionToStr(const TConnection* connection) const {
    if (!connection)
        return "";
    return ConnectionTypeToString(connection->ConnectionType()) + ": " + connection->GetAsString();
}

TConnection* TConnectionConfig::Connections(int index) const {
    if (index < 0 || index >= TotalCount())
        return nullptr;
    return static_cast<TConnection*>(ConnectionsList.Items(index));
}

TConnection* TConnectionConfig::Connection(TConnectionType type, int n) const {
    for (int i = 0; i < TotalCount(); ++i) {
        TConnection* connection = Connections(i);
        if (connection->ConnectionType() == type && n-- == 0)
            return connection;
    }
    return nullptr;
}

int TConnectionConfig::CountByType(TConnectionType type) const {
    int count = 0;
    for (int i = 0; i < TotalCount(); ++i)
        if (Connections(i)->ConnectionType() == type)
            ++count;
    return count;
}
