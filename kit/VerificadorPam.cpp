#include "kit/VerificadorPam.h"

#include <QFileInfo>

#include <cstdlib>
#include <cstring>
#include <security/pam_appl.h>
#include <string.h>

namespace {

const char *const servicoProprio = "corvane";
const char *const servicoDoSistema = "login";

char *copiar(const char *texto, size_t tamanho)
{
    // PAM frees (and, in its own modules, wipes) each answer with free().
    auto *copia = static_cast<char *>(std::malloc(tamanho + 1));
    if (copia) {
        std::memcpy(copia, texto, tamanho);
        copia[tamanho] = '\0';
    }
    return copia;
}

void liberarRespostas(pam_response *respostas, int quantas)
{
    for (int i = 0; i < quantas; ++i) {
        if (respostas[i].resp) {
            explicit_bzero(respostas[i].resp, std::strlen(respostas[i].resp));
            std::free(respostas[i].resp);
        }
    }
    std::free(respostas);
}

} // namespace

int VerificadorPam::conversar(int quantas, const pam_message **mensagens, pam_response **respostas, void *dados)
{
    if (quantas <= 0 || quantas > PAM_MAX_NUM_MSG || !respostas || !dados)
        return PAM_CONV_ERR;
    auto *conversa = static_cast<Conversa *>(dados);
    auto *lista = static_cast<pam_response *>(std::calloc(static_cast<size_t>(quantas), sizeof(pam_response)));
    if (!lista)
        return PAM_BUF_ERR;
    for (int i = 0; i < quantas; ++i) {
        switch (mensagens[i]->msg_style) {
        case PAM_PROMPT_ECHO_OFF:
            if (conversa->senhasDadas++ > 0 || !conversa->senha) {
                liberarRespostas(lista, quantas);
                return PAM_CONV_ERR;
            }
            lista[i].resp = copiar(conversa->senha->dados(), static_cast<size_t>(conversa->senha->tamanho()));
            break;
        case PAM_PROMPT_ECHO_ON:
            lista[i].resp = copiar(conversa->usuario.constData(), static_cast<size_t>(conversa->usuario.size()));
            break;
        case PAM_ERROR_MSG:
        case PAM_TEXT_INFO:
            break;
        default:
            liberarRespostas(lista, quantas);
            return PAM_CONV_ERR;
        }
        if ((mensagens[i]->msg_style == PAM_PROMPT_ECHO_OFF || mensagens[i]->msg_style == PAM_PROMPT_ECHO_ON) &&
            !lista[i].resp) {
            liberarRespostas(lista, quantas);
            return PAM_BUF_ERR;
        }
    }
    *respostas = lista;
    return PAM_SUCCESS;
}

QString VerificadorPam::servico(const std::function<bool(const QString &)> &existe)
{
    const QString proprio = QString::fromLatin1(servicoProprio);
    for (const char *pasta : {"/etc/pam.d/", "/usr/lib/pam.d/"}) {
        if (existe(QString::fromLatin1(pasta) + proprio))
            return proprio;
    }
    return QString::fromLatin1(servicoDoSistema);
}

QString VerificadorPam::servico()
{
    return servico([](const QString &caminho) { return QFileInfo(caminho).isFile(); });
}

bool VerificadorPam::disponivel()
{
    const QByteArray usuario = usuarioAtual().toLocal8Bit();
    if (usuario.isEmpty())
        return false;
    Conversa conversa;
    const pam_conv conv{&VerificadorPam::conversar, &conversa};
    pam_handle_t *pam = nullptr;
    const int inicio = pam_start(servico().toLocal8Bit().constData(), usuario.constData(), &conv, &pam);
    if (pam)
        pam_end(pam, inicio);
    return inicio == PAM_SUCCESS;
}

bool VerificadorPam::verificar(const QString &usuario, const SenhaTemporaria &senha)
{
    Conversa conversa{&senha, usuario.toLocal8Bit(), 0};
    if (conversa.usuario.isEmpty())
        return false;
    const pam_conv conv{&VerificadorPam::conversar, &conversa};
    pam_handle_t *pam = nullptr;
    int resultado = pam_start(servico().toLocal8Bit().constData(), conversa.usuario.constData(), &conv, &pam);
    if (resultado == PAM_SUCCESS)
        resultado = pam_authenticate(pam, 0);
    if (resultado == PAM_SUCCESS) {
        // The password is right; an account that must change it is still its owner.
        const int conta = pam_acct_mgmt(pam, 0);
        resultado = conta == PAM_NEW_AUTHTOK_REQD ? PAM_SUCCESS : conta;
    }
    if (pam)
        pam_end(pam, resultado);
    return resultado == PAM_SUCCESS;
}
