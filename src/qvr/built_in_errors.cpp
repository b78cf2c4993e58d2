#include "qvr/built_in_errors.h"

// Patterns and descriptions are the server's own texts, kept letter for letter.
const std::vector<TBuiltInError>& BuiltInErrors() {
    // Texts that two descriptions each quote.
    static const std::string remoteUserQuery =
        "SELECT CryptoUID.fActive, CryptoProfile.fEnabled, RemoteUser.*, CryptoUID.ProfileID \r\n"
        "FROM RemoteUser,RemoteCryptoProfile,CryptoUID, CryptoProfile, CryptoWorkPlace, RemoteIDS, "
        "Customer \r\n"
        "WHERE CryptoUID.CryptoUID=:UID AND \r\n"
        "CryptoUID.ProfileID=RemoteCryptoProfile.ProfileID AND \r\n"
        "RemoteUser.UserKey= RemoteCryptoProfile.UserKey AND \r\n"
        "(CryptoProfile.Autokey=CryptoUID.ProfileID) AND \r\n"
        "CryptoWorkPlace.ClientID=Customer.Client AND \r\n"
        "CryptoWorkPlace.ProfileID=RemoteCryptoProfile.ProfileID AND \r\n"
        "CryptoWorkPlace.RemoteRights=1 AND \r\n"
        "Customer.CustID=RemoteIDS.ID AND \r\n"
        "RemoteIDS.UserKey=RemoteUser.UserKey\r\n";
    static const std::string sessionOwnerSituation =
        "Возникает в следующей ситуации: клиент работает через RAZevuziza или TLS, сессия открыта "
        "(в запросе пришел SID и такая сессия не закрыта), но UID клиента открывшего сессию не "
        "совпадает с UID пришедшем в запросе, выполняется SQL запрос: \r\n"
        "SELECT CryptoUID.fActive, CryptoProfile.fEnabled, CryptoUID.CryptoUID \r\n"
        "FROM CryptoUID, CryptoProfile \r\n"
        "WHERE CryptoUID.CryptoUID=:UID AND \r\n"
        "CryptoUID.ProfileID=:ProfileID AND \r\n"
        "CryptoProfile.Autokey=CryptoUID.ProfileID\r\n";
    static const std::vector<TBuiltInError> errors = {
        {100, "%s", "Системная исключительная ситуация, которую не удалось идентифицировать."},
        {101, "Incorrect parameter TIC: %s.",
         "Значение пришедшего в запросе параметра \"TIC\" не удалось преобразовать в целое число"},
        {103, "Работа сессии %s завершена.",
         "В списке сессий клиента не найдена сессия с данным значением параметра \"SID\". "
         "Возникает если в запросе пришли параметры: \"TIC\" со значением отличным от нуля и "
         "\"SID\" с непустым значением."},
        {104, "Task identificator %s is empty.",
         "В запросе отсутствует параметр \"T\" или он имеет пустое значение."},
        {105, "Task identificator %s: %s error. Not found separator \"%s\".",
         "В значениее параметра запроса \"T\" отсутствует разделитель между именами функции и "
         "библиотеки."},
        {106, "Task identificator %s: %s error. Empty library name.",
         "В значениее параметра запроса \"T\" не обнаружено имя библиотеки."},
        {107, "Task identificator %s: %s error. Empty function name.",
         "В значениее параметра запроса \"T\" не обнаружено имя функции."},
        {108, "Task identificator %s: %s error: %s.",
         "Возникает если при разборе значения параметра запроса \"T\" произошла системная ошибка "
         "(исключительная ситуация)."},
        {110, "Empty SID for TIC: %d.",
         "В запросе параметр \"SID\" имеет пустое значение или отсутствует при условии что "
         "значение параметра \"TIC\" имеет отличное от 0 значение."},
        {111, "Неверный TIC %d ожидаемый: %d.",
         "Возникает в случае, если значение параметра \"TIC\" больше 1, выполнение происходит в "
         "рамках открытой сесси, но значение \"TIC\" в запросе не совпадает со значением \"TIC\" "
         "сессии (если в запросе TIC>1, то значение параметра TIC сессии при выполнении задачи "
         "инкриментится на 1)."},
        {112, "Неверный QVRID: %s ожидаемый: %s.",
         "Значение параметра \"QVRID\" в запросе (если в запросе есть параметр \"SID\", то берется "
         "из его значения, иначе берется значение параметра запроса \"QVRID\") не совпадает с "
         "текущим значением \"QVRID\" в системе (уникально для каждого QVR и новое при каждом "
         "запуске)."},
        {113, "Not found session with SID: %s for authentificate user.",
         "Возникает в случае аутентификации клиента по идентификатору открытой им сессии (работа "
         "через SSL соединение), если в запросе присутствует параметр \"SID\" его значение не "
         "пустое, но сессии с таким идентификатором не найдено."},
        {114, "Error on parse incoming buffer (%s) .",
         "При разборе буфера данных пришедших с ZWI произошла исключительная ситуация."},
        {115, "Empty user UID.", ""},
        {116, "Error on GetUIDByCertIdent : %s.",
         "Ошибка при вызове функции GetUIDByCertIdent из библиотеки Sigmakit (работа через TLS)."},
        {117, "User (UID: %s) has blocked key or has been compromised.",
         "Клиент в базе найден (выполнен SQL запрос:\r\n" + remoteUserQuery +
             "), но он заблокирован, т.е. не найдены записи удовлетворяющих условию: поле fEnabled "
             "имеет значение \"1\", поле fActive имеет значения \"0\" или \"1\", а поле "
             "ChannelSecurityID имеет значения \"0\", \"2\" или \"3\"."},
        {118, "User (UID: %s ProfileID: %s) has blocked key or has been compromised.",
         sessionOwnerSituation +
             "он успешно спозиционировался на первой записи (если нет, то возвращается 119 "
             "ошибка), но поиск записей удовлетворяющих условию: поле fEnabled имеет значение "
             "\"1\", а поле fActive имеет значения \"0\" или \"1\" не увенчался успехом."},
        {119, "Not found user with UID: %s ProfileID: %s.",
         sessionOwnerSituation +
             "ошибка вылезает в случае невозможности спозиционироваться на записе."},
        {120, "User (UID: %s) enter incorrect password: \"%s\".", ""},
        {121, "Not found user with UID: %s",
         "Возникает в следующей ситуации: клиент работает через RAZevuziza или TLS, но в базе не "
         "найден (не выполнен SQL запрос:\r\n" +
             remoteUserQuery + ")"},
        {201, "Not found function: \"%s\" in library: \"%s\".",
         "Ошибка чтения функции из библиотеки (BLL), либо функция отсутствует, либо произошла "
         "исключительная ситуация в одном из блоков initialization загружаемых библиотек (BLL)."},
        {203, "Time out (%d) for start exec task exceeded.",
         "Истекло время ожидания запроса в очереди на выполнение."},
        {204, "Function \"%s\" in library \"%s\" can't be execute without open session.",
         "Функция BLL не может быть выполнена, если клиент не открыл перед этим сессию или запрос "
         "не предусматривал идентификацию сессии (отсутствовал или был незаполнен параметр \"SID\" "
         "в запросе)."},
        {205, "Error on send params to function : \"%s\" in library: \"%s\" (%s).",
         "Ошибка (исключительная ситуация) при передаче параметров в функцию BLL перед выполнением "
         "(инициализация языка сессии, передача ссылки на объект Session)."},
        {206, "Error on execute function : \"%s\" in library: \"%s\", error: %s ",
         "Ошибка при выполнении функции BLL."},
        {207, "Function \"%s\" in library \"%s\" can't be execute in none autorize session.",
         "Возникает, если существует настройка для данной задачи (функция BLL) в 65ой ветке, у "
         "настройки выставлен флаг \"NeedAuthorize\", но при этом сессия либо не открыта, либо "
         "флаг сессии Autenticate имеет значение FALSE."},
        {209, "Not found config for function \"%s\" in library \"%s\".",
         "Возникает, если в настройках выставлен флаг необходимости существования настроек "
         "выполнения функции (66 ветка), но их(настроек) не найдено."},
        {210, "Open new session may only authorized user.",
         "Возникает при вызове из задачи метода NewSession объекта Session без параметров, но при "
         "этом клиент не определен."},
        {211,
         "Function: %s from library: %s already start execute by user (UserKey: %d) from session: "
         "%s.",
         "Возникает, если в рамках данной сессии у клиента уже запущена на выполнение такая же "
         "задача, с такими же параметрами."},
        {212,
         "Request for exec task in session %s incoming from addr|host: %s, but session was open by "
         "addr|host: %s",
         "Возникает, если сессия была открыта с другого хоста (Проверка происходит по настройке: "
         "Сессии - Проверять что работа в сессии происходит с одного хоста)."},
        {213,
         "Timeout (%d) wait for end exec task (BLL: %s Function: %s Thread: %s) excceeded. \r\n"
         "Stack: \r\n"
         "%s",
         "Возникает, если задача выполняется слишком долго (время выполнения превышает указаное в "
         "настройках)."},
        {214,
         "Timeout (%d) wait for end exec \"huge\" task (BLL: %s Function: %s Thread: %s) "
         "excceeded. \r\n"
         "Stack: \r\n"
         "%s",
         "Возникает, если \"тяжёлая\" задача выполняется слишком долго (время выполнения превышает "
         "указаное в настройках, если указан 0, то проверка не выполняется)."},
        {303, "Error read value of param : \"%s\" (Error: %s)(SQL: %s).",
         "Ошибка чтения значения поля таблицы."},
        {401, "Socket error.", "Ошибка сокета"},
        {501, "Error load library: %s", "Ошибка при загрузке библиотеки DLL (вызов LoadLibrary)."},
        {502, "Not found function %s in library %s", "Не найдена функция в библиотеке DLL."},
        {503, "Error get mem size %d for CryptoEngineList.",
         "Ошибка при выделении памяти под список криптодвижков."},
    };
    return errors;
}
