#include "kit/VerificadorPam.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cstdlib>
#include <cstring>
#include <security/pam_appl.h>

namespace {

struct Respostas {
    pam_response *lista = nullptr;
    int quantas = 0;
    ~Respostas()
    {
        for (int i = 0; lista && i < quantas; ++i)
            std::free(lista[i].resp);
        std::free(lista);
    }
};

int conversar(VerificadorPam::Conversa &conversa, std::initializer_list<pam_message> mensagens, Respostas &respostas)
{
    std::vector<pam_message> copias(mensagens);
    std::vector<const pam_message *> ponteiros;
    for (const auto &mensagem : copias)
        ponteiros.push_back(&mensagem);
    respostas.quantas = static_cast<int>(ponteiros.size());
    return VerificadorPam::conversar(respostas.quantas, ponteiros.data(), &respostas.lista, &conversa);
}

TEST(VerificadorPam, ConversaDaASenhaAoPedidoOcultoEONomeAoVisivel)
{
    QString texto = QStringLiteral("s3nh@");
    const SenhaTemporaria senha(texto);
    VerificadorPam::Conversa conversa{&senha, "ana", 0};
    Respostas respostas;
    ASSERT_EQ(conversar(conversa,
                        {{PAM_TEXT_INFO, "Olá"}, {PAM_PROMPT_ECHO_ON, "login:"}, {PAM_PROMPT_ECHO_OFF, "Password:"},
                         {PAM_ERROR_MSG, "aviso"}},
                        respostas),
              PAM_SUCCESS);
    EXPECT_EQ(respostas.lista[0].resp, nullptr);
    EXPECT_STREQ(respostas.lista[1].resp, "ana");
    EXPECT_STREQ(respostas.lista[2].resp, "s3nh@");
    EXPECT_EQ(respostas.lista[3].resp, nullptr);
}

TEST(VerificadorPam, SegundoPedidoOcultoFalhaAConversa)
{
    QString texto = QStringLiteral("s3nh@");
    const SenhaTemporaria senha(texto);
    VerificadorPam::Conversa conversa{&senha, "ana", 0};
    {
        Respostas primeira;
        ASSERT_EQ(conversar(conversa, {{PAM_PROMPT_ECHO_OFF, "Password:"}}, primeira), PAM_SUCCESS);
    }
    // A later hidden prompt (a one-time code, a new password) never receives the password.
    Respostas segunda;
    EXPECT_EQ(conversar(conversa, {{PAM_PROMPT_ECHO_OFF, "Código:"}}, segunda), PAM_CONV_ERR);
    EXPECT_EQ(segunda.lista, nullptr);
    Respostas duasDeUmaVez;
    VerificadorPam::Conversa nova{&senha, "ana", 0};
    EXPECT_EQ(conversar(nova, {{PAM_PROMPT_ECHO_OFF, "a"}, {PAM_PROMPT_ECHO_OFF, "b"}}, duasDeUmaVez), PAM_CONV_ERR);
}

TEST(VerificadorPam, EstiloDesconhecidoOuSemSenhaFalha)
{
    VerificadorPam::Conversa semSenha{nullptr, "ana", 0};
    Respostas respostas;
    EXPECT_EQ(conversar(semSenha, {{PAM_PROMPT_ECHO_OFF, "Password:"}}, respostas), PAM_CONV_ERR);
    Respostas outras;
    EXPECT_EQ(conversar(semSenha, {{99, "?"}}, outras), PAM_CONV_ERR);
}

TEST(VerificadorPam, ServicoProprioQuandoInstaladoSenaoOLogin)
{
    const struct {
        const char *nome;
        QStringList existentes;
        QString esperado;
    } casos[] = {
        {"instalado em /etc", {"/etc/pam.d/corvane"}, "corvane"},
        {"instalado pelo pacote", {"/usr/lib/pam.d/corvane"}, "corvane"},
        {"ausente", {"/etc/pam.d/login"}, "login"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(VerificadorPam::servico([&](const QString &caminho) { return caso.existentes.contains(caminho); }),
                  caso.esperado);
    }
}

TEST(VerificadorPam, SemUsuarioNaoHaVerificacao)
{
    QString texto = QStringLiteral("qualquer");
    const SenhaTemporaria senha(texto);
    VerificadorPam verificador;
    EXPECT_FALSE(verificador.verificar(QString(), senha));
}

} // namespace
