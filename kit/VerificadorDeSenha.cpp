#include "kit/VerificadorDeSenha.h"

#include <algorithm>
#include <cstring>
#include <pwd.h>
#include <string.h>
#include <unistd.h>

SenhaTemporaria::SenhaTemporaria(QString &texto)
{
    QByteArray utf8 = texto.toUtf8();
    bytes_.assign(utf8.cbegin(), utf8.cend());
    bytes_.push_back('\0');
    // Wipe the intermediate copies; begin() on a shared string would only wipe a fresh copy.
    if (!utf8.isEmpty())
        explicit_bzero(utf8.data(), static_cast<size_t>(utf8.size()));
    std::fill(texto.begin(), texto.end(), QChar());
    texto.clear();
}

bool SenhaTemporaria::apagada() const
{
    return std::all_of(bytes_.cbegin(), bytes_.cend(), [](char c) { return c == '\0'; });
}

void SenhaTemporaria::apagar()
{
    if (!bytes_.empty())
        explicit_bzero(bytes_.data(), bytes_.size());
}

QString usuarioAtual()
{
    passwd entrada{};
    passwd *resultado = nullptr;
    std::vector<char> memoria(16384);
    if (getpwuid_r(getuid(), &entrada, memoria.data(), memoria.size(), &resultado) != 0 || !resultado ||
        !resultado->pw_name)
        return {};
    return QString::fromLocal8Bit(resultado->pw_name);
}
