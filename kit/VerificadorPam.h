// The owner check against the system's accounts through PAM: the service "corvane" installed
// with the program, or the system's "login" stack when that file is absent.
// An account without a login password is confirmed exactly when the system's own policy lets it
// in: with "nullok" (Debian's common-auth) PAM accepts it whatever is typed, empty included;
// without it, nothing confirms. The prompt is still shown: finding out beforehand would take an
// authentication attempt, which pam_faillock counts as a failed login and pam_faildelay slows.
#pragma once

#include "kit/VerificadorDeSenha.h"

#include <QString>

#include <functional>

struct pam_message;
struct pam_response;

class VerificadorPam final : public VerificadorDeSenha {
public:
    [[nodiscard]] bool disponivel() override;
    [[nodiscard]] bool verificar(const QString &usuario, const SenhaTemporaria &senha) override;

    // "corvane" when its service file exists (in /etc/pam.d or the vendor folder), else "login".
    [[nodiscard]] static QString servico(const std::function<bool(const QString &)> &existe);
    [[nodiscard]] static QString servico();

    // The conversation: the password answers the first hidden prompt only (a second one, say a
    // one-time code, cannot be answered and fails the conversation), a visible prompt gets the
    // user name, messages get empty answers. `dados` is the SenhaTemporaria followed by the
    // user name (see Conversa).
    struct Conversa {
        const SenhaTemporaria *senha = nullptr;
        QByteArray usuario;
        int senhasDadas = 0;
    };
    static int conversar(int quantas, const pam_message **mensagens, pam_response **respostas, void *conversa);
};
