// The adapted texts table, the error line of every error kind, and the menu commands by phase.
#include "api/ErroDaAPI.h"
#include "app/ComandosDoMenu.h"
#include "core/ErroDeCripto.h"
#include "screens/comum/MensagemDoErro.h"
#include "servicos/Seguranca.h"
#include "servicos/TextosDoComputador.h"
#include "state/ErroDeEntrada.h"
#include "state/ErroDeEntradaSocial.h"
#include "vault/ErroDoCofre.h"

#include <gtest/gtest.h>

#include <QSet>

#include <functional>
#include <memory>

TEST(TextosDoComputador, NenhumTextoAdaptadoFalaDoMacNemDoSafariNemDoTouchID)
{
    QSet<QString> vistos;
    for (const TextoAdaptado &texto : textosAdaptados()) {
        SCOPED_TRACE(texto.doMac.toStdString());
        EXPECT_FALSE(vistos.contains(texto.doMac)) << "repeated";
        vistos.insert(texto.doMac);
        // The Mac's settings are named too: its "Ajustes" and their "Gravação de Tela" pane.
        EXPECT_TRUE(texto.doMac.contains(QStringLiteral("Mac")) || texto.doMac.contains(QStringLiteral("Safari"))
                    || texto.doMac.contains(QStringLiteral("Touch ID")) || texto.doMac.contains(QStringLiteral("Ajustes"))
                    || texto.doMac.contains(QStringLiteral("Gravação de Tela")))
            << "not a text about this machine";
        for (const char *nome : {"Mac", "Safari", "Touch ID", "Gravação de Tela"})
            EXPECT_FALSE(texto.doComputador.contains(QString::fromUtf8(nome))) << texto.doComputador.toStdString();
        EXPECT_EQ(noComputador(texto.doMac), texto.doComputador);
    }
}

TEST(TextosDoComputador, OsDaIssueETextoForaDaTabela)
{
    EXPECT_EQ(nome(TipoDeBiometria::nenhuma), QStringLiteral("senha do computador"));
    EXPECT_EQ(noComputador(u"Ligado neste Mac"), QStringLiteral("Ligado neste computador"));
    EXPECT_EQ(noComputador(u"Abrir ajustes do Mac"), QStringLiteral("Abrir ajustes do preenchimento"));
    EXPECT_TRUE(noComputador(u"Ligue o Corvane no preenchimento automático do Mac. Na hora de entrar, ele sugere a "
                             u"senha certa, preenche o código e salva as senhas novas no cofre.")
                    .startsWith(QStringLiteral("Ligue o Corvane no preenchimento automático do computador. ")));
    // A claim about the product's other apps is not this machine's and stays.
    EXPECT_EQ(noComputador(u"No iPhone, iPad, Mac e Apple Watch"), QStringLiteral("No iPhone, iPad, Mac e Apple Watch"));
}

TEST(MensagemDoErro, CadaTipoDeErro)
{
    struct Caso {
        const char *nome;
        std::function<std::unique_ptr<std::exception>()> erro;
        const char *texto;
    };
    const auto api = [](ErroDaAPI e) { return [e] { return std::make_unique<ErroDaAPI>(e); }; };
    const Caso casos[] = {
        {"api sem conexão", api(ErroDaAPI::semConexao()), "Sem conexão com a internet. Confira a rede e tente de novo."},
        {"api sessão", api(ErroDaAPI::sessaoEncerrada()), "Sua sessão terminou. Entre de novo."},
        {"api inesperada", api(ErroDaAPI::respostaInesperada()),
         "Não conseguimos falar com o servidor agora. Tente de novo em instantes."},
        {"api conflito sem mensagem", api(ErroDaAPI::servidor(409, QStringLiteral("conflito-de-revisao"), {}, {})),
         "Este item mudou em outro aparelho."},
        {"api mensagem do servidor", api(ErroDaAPI::servidor(400, QStringLiteral("x"), QStringLiteral("Texto dele."), {})),
         "Texto dele."},
        {"api 500", api(ErroDaAPI::servidor(503, QStringLiteral("y"), {}, {})),
         "Algo deu errado do nosso lado. Tente de novo em instantes."},
        {"api no lote", [] { return std::make_unique<ErroNoLote<ErroDaAPI>>(ErroDaAPI::semConexao(), 3); },
         "Sem conexão com a internet. Confira a rede e tente de novo."},
        {"senha incorreta", [] { return std::make_unique<ErroDeEntrada>(ErroDeEntrada::senhaIncorreta()); },
         "Senha incorreta."},
        {"autenticador", [] { return std::make_unique<ErroDeEntrada>(ErroDeEntrada::autenticadorNecessario()); },
         "Digite o código de seis números do seu autenticador."},
        {"recuperação", [] { return std::make_unique<ErroDeEntrada>(ErroDeEntrada::codigoDeRecuperacaoInvalido()); },
         "Esse código de recuperação não confere. Confira as letras e os números."},
        {"outra conta", [] { return std::make_unique<ErroDeEntrada>(ErroDeEntrada::contaDiferente()); },
         "Essa entrada é de outra conta. Entre com a conta deste cofre."},
        {"conflito sem item", [] { return std::make_unique<ErroDoCofre>(ErroDoCofre::conflito(std::nullopt)); },
         "Este item mudou em outro aparelho."},
        {"falha ao cifrar", [] { return std::make_unique<ErroDoCofre>(ErroDoCofre::falhaAoCifrar()); },
         "Não foi possível proteger este item. Tente de novo."},
        {"cripto", [] { return std::make_unique<ErroDeCripto>(QStringLiteral("falha-ao-decifrar")); },
         "Algo não deu certo. Tente de novo."},
        {"cancelamento", [] { return std::make_unique<ErroDeCancelamento>(); }, "Algo não deu certo. Tente de novo."},
        {"entrada social", [] { return std::make_unique<ErroDeEntradaSocial>(ErroDeEntradaSocial::falhou()); },
         "Algo não deu certo. Tente de novo."},
        {"qualquer", [] { return std::make_unique<std::runtime_error>("x"); }, "Algo não deu certo. Tente de novo."},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const auto erro = caso.erro();
        EXPECT_EQ(mensagemDoErro(*erro), QString::fromUtf8(caso.texto));
    }
}

TEST(ComandosDoMenu, HabilitadosPorFase)
{
    using Fase = EstadoDoApp::Fase;
    struct Caso {
        Fase fase;
        bool cofre; // lock and sync
    };
    for (const Caso caso : {Caso{Fase::iniciando, false}, Caso{Fase::semConta, false}, Caso{Fase::bloqueado, false},
                            Caso{Fase::aberto, true}}) {
        SCOPED_TRACE(static_cast<int>(caso.fase));
        EXPECT_TRUE(comandoHabilitado(ComandoDoMenu::procurarAtualizacao, caso.fase));
        EXPECT_TRUE(comandoHabilitado(ComandoDoMenu::ajustes, caso.fase));
        EXPECT_EQ(comandoHabilitado(ComandoDoMenu::bloquear, caso.fase), caso.cofre);
        EXPECT_EQ(comandoHabilitado(ComandoDoMenu::sincronizar, caso.fase), caso.cofre);
    }
    EXPECT_EQ(ComandosDoMenu::textoProcurarAtualizacao(), QStringLiteral("Procurar atualiza\u00e7\u00e3o\u2026"));
    EXPECT_EQ(ComandosDoMenu::atalhoBloquear(), QStringLiteral("Ctrl+Shift+L"));
    EXPECT_EQ(ComandosDoMenu::atalhoSincronizar(), QStringLiteral("Ctrl+R"));
}
