#include "qvr/qvr_config_sections.h"

#include "qvr/error_catalogue.h"
#include "qvr/qvr_config.h"
#include "rtl/critical_section.h"
#include "rtl/custom_ini_file.h"
#include "rtl/strings.h"

#include <unordered_map>

namespace {

const char ConnectionSection[] = "Connection";
const char ConfigSection[] = "Config";
const char ShowErrorsSection[] = "ShowErrors";
const char ErrorsHTMLsSection[] = "Errors HTMLs";
const char DefaultConnection[] = "localhost:12040";

// A line without '=' is a name with an empty value.
void SplitAtEquals(const std::string& line, std::string& name, std::string& value) {
    size_t p = line.find('=');
    name = line.substr(0, p);
    value = p == std::string::npos ? std::string() : line.substr(p + 1);
}

void AddClientSocket(TConnectionConfig& connections, const std::string& text) {
    connections.AddConnection(ctClientSocket)->SetAsString(text);
}

void ReadTypedConnections(TConnectionConfig& connections, const TCustomIniFile& ini,
                          const std::string& typeName) {
    // A type name that names no type leaves the client socket in use.
    TConnectionType type = TConnectionConfig::StringToConnectionType(typeName);
    connections.CurrentType = IsConnectionType(type) ? type : ctClientSocket;
    TStringList entries;
    ReadNumberedLines(ini, ConnectionSection, "Config", entries);
    for (int i = 0; i < entries.Count(); ++i)
        connections.AddConnectionByStr(entries[i]);
    if (connections.TotalCount() == 0) {
        connections.CurrentType = ctClientSocket;
        AddClientSocket(connections, DefaultConnection);
    }
}

void ReadHostList(TConnectionConfig& connections, const TCustomIniFile& ini) {
    connections.CurrentType = ctClientSocket;
    TStringList hosts;
    ReadNumberedLines(ini, ConfigSection, "ZWIHost", hosts);
    for (int i = 0; i < hosts.Count(); ++i)
        AddClientSocket(connections, hosts[i]);
    if (hosts.Count() == 0)
        AddClientSocket(connections, DefaultConnection);
}

} // namespace

void ReadConnectionList(TQVRConfig& config, const TCustomIniFile& ini) {
    TConnectionConfig& connections = *config.ZWIConnection;
    connections.Clear();
    std::string typeName = ini.ReadString(ConnectionSection, "ConnectionType", "");
    if (!typeName.empty() && config.UseConnectionType)
        ReadTypedConnections(connections, ini, typeName);
    else
        ReadHostList(connections, ini);
    config.UseConnectionType =
        config.UseConnectionType || connections.CurrentType != ctClientSocket;
}

void WriteConnectionList(const TQVRConfig& config, TCustomIniFile& ini) {
    const TConnectionConfig& connections = *config.ZWIConnection;
    if (config.UseConnectionType) {
        ini.WriteString(ConnectionSection, "ConnectionType",
                        TConnectionConfig::ConnectionTypeToString(connections.CurrentType));
        for (int i = 0; i < connections.TotalCount(); ++i)
            ini.WriteString(ConnectionSection, "Config" + IntToStr(i),
                            connections.ConnectionToStr(connections.Connections(i)));
        return;
    }
    // The older list holds client sockets only; other connections are not kept.
    int n = 0;
    for (int i = 0; i < connections.TotalCount(); ++i)
        if (TConnection* connection = connections.Connections(i);
            connection->ConnectionType() == ctClientSocket)
            ini.WriteString(ConfigSection, "ZWIHost" + IntToStr(n++), connection->GetAsString());
}

void ReadNumberedLines(const TCustomIniFile& ini, const std::string& section,
                       const std::string& stem, TStringList& lines) {
    lines.Clear();
    for (int i = 0;; ++i) {
        std::string value = ini.ReadString(section, stem + IntToStr(i), "");
        if (value.empty())
            return;
        lines.Add(value);
    }
}

void WriteNumberedLines(TCustomIniFile& ini, const std::string& section, const std::string& stem,
                        const TStringList& lines) {
    for (int i = 0; i < lines.Count(); ++i)
        ini.WriteString(section, stem + IntToStr(i), lines[i]);
}

void WriteNamedValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines) {
    ini.EraseSection(section);
    // Every name takes the first value the list gives it, found without regard to case; one
    // pass over the list keeps a long list from being searched once per line.
    std::unordered_map<std::string, std::string> firstValues;
    for (int i = 0; i < lines.Count(); ++i)
        firstValues.emplace(AnsiUpperCase(lines.Names(i)), lines.ValueFromIndex(i));
    for (int i = 0; i < lines.Count(); ++i) {
        std::string name = lines.Names(i);
        if (!name.empty())
            ini.WriteString(section, name, firstValues[AnsiUpperCase(name)]);
    }
}

void WriteFilledValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines) {
    ini.EraseSection(section);
    std::string name, value;
    for (int i = 0; i < lines.Count(); ++i) {
        SplitAtEquals(lines[i], name, value);
        if (!value.empty())
            ini.WriteString(section, name, value);
    }
}

void WriteAllValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines) {
    std::string name, value;
    for (int i = 0; i < lines.Count(); ++i) {
        SplitAtEquals(lines[i], name, value);
        ini.WriteString(section, name, value);
    }
}

void ReadErrorSwitches(const TCustomIniFile& ini) {
    TGlobalErrorsObject& catalogue = *GlobalErrorsObject;
    TLockGuard<TGlobalErrorsObject> lock(catalogue);
    for (int i = 0; TErrorRec* row = catalogue.Error(i); ++i) {
        std::string code = IntToStr(row->ErrorCode);
        row->SetFlagsAsString(ini.ReadString(ShowErrorsSection, code, row->GetFlagsAsString()));
        row->HTML = ini.ReadString(ErrorsHTMLsSection, code, row->HTML);
    }
}

void WriteErrorSwitches(TCustomIniFile& ini) {
    TGlobalErrorsObject& catalogue = *GlobalErrorsObject;
    TLockGuard<TGlobalErrorsObject> lock(catalogue);
    ini.EraseSection("InVisibleErrors");
    ini.EraseSection(ShowErrorsSection);
    for (int i = 0; TErrorRec* row = catalogue.Error(i); ++i) {
        std::string code = IntToStr(row->ErrorCode);
        ini.WriteString(ShowErrorsSection, code, row->GetFlagsAsString());
        ini.WriteString(ErrorsHTMLsSection, code, row->HTML);
    }
}
