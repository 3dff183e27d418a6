// What the central state's tests share: temporary data folders, an in-memory keychain, a
// recording AutoFill identity store, a fake owner authenticator, an injected uptime clock and
// sleeper, the development server, and helpers that seed accounts with real keys and leave a
// signed-in computer behind (vault key, local copy, session).
#pragma once

#include "api/ClienteDaAPI.h"
#include "servicos/FilaDeIdentidades.h"
#include "servicos/Seguranca.h"
#include "core/Chaveiro.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "plataforma/InfoDoPacote.h"
#include "plataforma/Padroes.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/ContaNoServidor.h"
#include "support/DiretorioTemporario.h"
#include "support/ErroEsperado.h"
#include "support/PedidosEmAndamento.h"
#include "support/Executar.h"
#include "support/RelogioDeTeste.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QElapsedTimer>
#include <QFuture>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

// Counts removals; always switched on.
class RepositorioDeTeste final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return true; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override
    {
        ++remocoes;
        return true;
    }

    std::atomic<int> remocoes{0};
};

// An account made on the server with real keys, as its owner's first device would have.
struct ContaSemeada {
    QString email;
    QString senha;
    QByteArray chave; // the vault key
};

class TesteDoEstado : public ::testing::Test {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        identidades = std::make_shared<RepositorioDeTeste>();
        RepositorioDeIdentidades::usar(identidades);
        servidor.iniciar();
        QVariantMap info = InfoDoPacote::dicionario();
        info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
        info.insert(QStringLiteral("URLDoSite"), QStringLiteral("https://corvane.exemplo"));
        InfoDoPacote::substituir(info);
        Seguranca::registrarAutenticador(
            [this](QString motivo) -> QCoro::Task<bool> {
                motivos.append(motivo);
                if (portaoDoDono)
                    co_await *portaoDoDono;
                co_return donoConfirma;
            },
            [this] { return donoDisponivel; });
    }

    void TearDown() override
    {
        estado.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
        Seguranca::removerAutenticador();
        InfoDoPacote::substituir(std::nullopt);
        RepositorioDeIdentidades::usar(nullptr);
        CofreDeSegredos::usar(nullptr);
    }

    // A state as the application frame builds it, with this fixture's clock and sleeper.
    EstadoDoApp &novoEstado(const QStringList &argumentos = {QStringLiteral("CorvaneMacApp")})
    {
        estado.reset();
        AmbienteDoEstado ambiente;
        ambiente.tempoDeAtividade = [this] { return tempo; };
        ambiente.esperar = [this](std::chrono::milliseconds duracao) -> QCoro::Task<> {
            esperas.append(duracao);
            co_return;
        };
        ambiente.nomeDoComputador = [this] { return nomeDoComputador; };
        ambiente.relogio = &relogio;
        estado = std::make_unique<EstadoDoApp>(argumentos, std::move(ambiente));
        return *estado;
    }

    // A state after its start routine.
    EstadoDoApp &estadoIniciado()
    {
        EstadoDoApp &novo = novoEstado();
        Testes::executar(novo.comecar());
        return novo;
    }

    // An account on the server whose vault key opens with `senha` (one argon2id stretch).
    ContaSemeada semearConta(const QString &email = QStringLiteral("ana@exemplo.com"),
                             const QString &senha = QStringLiteral("cavalo correto bateria grampo"))
    {
        const Testes::ContaComChaves conta = Testes::novaContaComChaves(email, senha);
        servidor.estado().criarConta(conta.dados);
        return {email, senha, conta.chave};
    }

    // A fresh server session for the account, decoded as the client reads it.
    RespostaDeSessao sessaoDe(const QString &email) { return Testes::sessaoDe(servidor.estado(), email); }

    // This computer as a previous run left it signed in: vault key, local copy and, unless told
    // otherwise, the session tokens. Gives the account.
    Conta deixarEntrado(const ContaSemeada &semeada, bool comSessao = true)
    {
        const RespostaDeSessao sessao = sessaoDe(semeada.email);
        Chaveiro::gravar(semeada.chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
        CopiaDoCofre::salvar(CopiaDoCofre{1, sessao.conta, 0, {}, {}});
        if (comSessao)
            ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);
        return sessao.conta;
    }

    // An open vault of a seeded account, its first sync and account refresh done.
    EstadoDoApp &estadoAberto(const ContaSemeada &semeada, bool comSessao = true)
    {
        deixarEntrado(semeada, comSessao);
        suite().definirLogico(QString::fromLatin1(chaveDeProtegerApp), false);
        EstadoDoApp &aberto = estadoIniciado();
        EXPECT_EQ(aberto.fase(), EstadoDoApp::Fase::aberto);
        esperarSincronia();
        return aberto;
    }

    // Until the open store has loaded and the account refresh has come back.
    void esperarSincronia()
    {
        const bool pronta = esperarAte([this] {
            return estado && estado->cofre() && estado->cofre()->carregado() &&
                   !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/conta")).isEmpty() &&
                   !estado->cofre()->sincronizando() && Testes::semPedidosEmAndamento(*estado->api());
        });
        EXPECT_TRUE(pronta) << "a primeira sincronia não terminou";
    }

    // Runs the event loop until `condicao` holds, at most `limite`.
    static bool esperarAte(const std::function<bool()> &condicao,
                           std::chrono::milliseconds limite = std::chrono::seconds(30))
    {
        QElapsedTimer relogio;
        relogio.start();
        while (!condicao()) {
            if (relogio.elapsed() > limite.count())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
        return true;
    }

    // The body of the last request to exactly this path (the log matches by prefix).
    [[nodiscard]] QJsonObject corpoDoPedido(const char *metodo, const char *caminho) const
    {
        QJsonObject corpo;
        for (const Servidor::PedidoRegistrado &pedido : pedidos(metodo, caminho)) {
            if (pedido.caminho == QLatin1String(caminho))
                corpo = pedido.json();
        }
        return corpo;
    }

    // The group's defaults store, as the preferences read it.
    static Padroes suite() { return *Padroes::doGrupo(grupoDoApp()); }

    [[nodiscard]] static std::optional<QByteArray> chaveNoChaveiro()
    {
        return Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    }
    [[nodiscard]] static std::optional<QByteArray> sessaoNoChaveiro()
    {
        return Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaSessao));
    }

    [[nodiscard]] QList<Servidor::PedidoRegistrado> pedidos(const char *metodo, const char *caminho) const
    {
        return servidor.pedidos(QString::fromLatin1(metodo), QString::fromLatin1(caminho));
    }

    // Declared before the state, so the state goes first.
    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    std::shared_ptr<RepositorioDeTeste> identidades;
    Servidor::ServidorDeDesenvolvimento servidor;

    // The fake owner check.
    bool donoDisponivel = true;
    bool donoConfirma = true;
    std::optional<QFuture<void>> portaoDoDono; // when set, the prompt answers once it finishes
    QStringList motivos;

    double tempo = 1000; // seconds since boot
    QList<std::chrono::milliseconds> esperas;
    QString nomeDoComputador = QStringLiteral("estacao-da-ana");
    RelogioDeTeste relogio; // the toast centre's

    std::unique_ptr<EstadoDoApp> estado;
};

using Testes::erroDe;
