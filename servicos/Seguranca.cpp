#include "servicos/Seguranca.h"

#include "servicos/TextosDoComputador.h"

#include <QLoggingCategory>

#include <exception>
#include <mutex>

namespace {

Q_LOGGING_CATEGORY(categoria, "app.corvane.cofre")

struct Registro {
    Seguranca::Autenticador autenticador;
    Seguranca::Disponibilidade disponivel;
};

std::mutex trava;
Registro &registrado()
{
    static Registro registro;
    return registro;
}

Registro copiaDoRegistro()
{
    const std::lock_guard guarda(trava);
    return registrado();
}

bool disponivelEm(const Registro &registro)
{
    return registro.autenticador && (!registro.disponivel || registro.disponivel());
}

} // namespace

QString nome(TipoDeBiometria tipo)
{
    switch (tipo) {
    case TipoDeBiometria::faceID:
        return QStringLiteral("Face ID");
    case TipoDeBiometria::touchID:
        return QStringLiteral("Touch ID");
    case TipoDeBiometria::opticID:
        return QStringLiteral("Optic ID");
    case TipoDeBiometria::nenhuma:
        break;
    }
    return noComputador(u"senha do Mac");
}

QString nomeComArtigo(TipoDeBiometria tipo)
{
    // The biometric methods are masculine ("o Face ID"); the password is feminine.
    const QString artigo = tipo == TipoDeBiometria::nenhuma ? QStringLiteral("a ") : QStringLiteral("o ");
    return artigo + nome(tipo);
}

QString simbolo(TipoDeBiometria tipo)
{
    switch (tipo) {
    case TipoDeBiometria::faceID:
        return QStringLiteral("faceid");
    case TipoDeBiometria::touchID:
        return QStringLiteral("touchid");
    case TipoDeBiometria::opticID:
        return QStringLiteral("opticid");
    case TipoDeBiometria::nenhuma:
        break;
    }
    return QStringLiteral("lock");
}

TipoDeBiometria tipoDeBiometria()
{
    return TipoDeBiometria::nenhuma;
}

QCoro::Task<bool> autenticarDono(QString motivo)
{
    // The copy lives in this frame for the whole prompt, so a capturing authenticator stays
    // valid even if another one is registered meanwhile.
    const Registro registro = copiaDoRegistro();
    if (!disponivelEm(registro))
        co_return false;
    try {
        co_return co_await registro.autenticador(std::move(motivo));
    } catch (const std::exception &erro) {
        // A broken prompt is a refusal, never a confirmation.
        qCWarning(categoria, "a autenticação do dono falhou: %s", erro.what());
        co_return false;
    }
}

namespace Seguranca {

void registrarAutenticador(Autenticador autenticador, Disponibilidade disponivel)
{
    const std::lock_guard guarda(trava);
    registrado() = Registro{std::move(autenticador), std::move(disponivel)};
}

void removerAutenticador()
{
    const std::lock_guard guarda(trava);
    registrado() = Registro{};
}

bool podeAutenticar()
{
    return disponivelEm(copiaDoRegistro());
}

} // namespace Seguranca
