#include "db/bcrypt.h"

#include <crypt.h>
#include <cstring>
#include <memory>

namespace {

bool isBcrypt(const char *s)
{
    return s && s[0] == '$' && s[1] == '2' && (s[2] == 'a' || s[2] == 'b' || s[2] == 'y') && s[3] == '$';
}

QByteArray cryptOnce(const char *password, const char *setting)
{
    if (!password || !isBcrypt(setting))
        return QByteArray();
    // crypt_data is ~32 KB: keep it off the stack.
    auto data = std::make_unique<crypt_data>();
    std::memset(data.get(), 0, sizeof(crypt_data));
    const char *out = crypt_rn(password, setting, data.get(), sizeof(crypt_data));
    QByteArray result = (out && out[0] != '*') ? QByteArray(out) : QByteArray();
    std::memset(data.get(), 0, sizeof(crypt_data));
    return result;
}

} // namespace

int mcrypt_checkpw(const char *password, const char *hash)
{
    const QByteArray computed = cryptOnce(password, hash);
    if (computed.isEmpty())
        return -1;
    const size_t n = std::strlen(hash);
    if (size_t(computed.size()) != n)
        return -1;
    // constant-time compare
    unsigned char diff = 0;
    for (size_t i = 0; i < n; ++i)
        diff |= static_cast<unsigned char>(computed.at(int(i)) ^ hash[i]);
    return diff == 0 ? 0 : -1;
}

QByteArray mcrypt_gensalt(int cost)
{
    if (cost < 4 || cost > 31)
        return QByteArray();
    char out[CRYPT_GENSALT_OUTPUT_SIZE];
    const char *salt = crypt_gensalt_rn("$2y$", static_cast<unsigned long>(cost), nullptr, 0, out, sizeof out);
    if (!salt || salt[0] == '*')
        return QByteArray();
    QByteArray s(salt);
    if (s.startsWith("$2b$"))
        s.replace(0, 4, "$2y$");
    return s;
}

QByteArray mcrypt_hashpw(const char *password, const char *salt)
{
    QByteArray h = cryptOnce(password, salt);
    if (h.startsWith("$2b$"))
        h.replace(0, 4, "$2y$");
    return h;
}
