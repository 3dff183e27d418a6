// What the vault store's tests share: temporary data folders, an in-memory keychain, a recording
// AutoFill identity store, the development server with one signed-in account, and helpers to
// seal contents, write items as another device would, and read back the local copy.
#pragma once

#include "api/ClienteDaAPI.h"
#include "servicos/FilaDeIdentidades.h"
#include "servicos/Preferencias.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/ContaNoServidor.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"
#include "vault/Cofre.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageLogContext>
#include <QStringList>

#include <memory>
#include <mutex>

// Records every replacement of the identities; always switched on.
class RepositorioGravador final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return true; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &identidades) override
    {
        const std::lock_guard trava(guarda_);
        substituicoes_.append(identidades);
        return true;
    }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }

    [[nodiscard]] QList<QList<IdentidadeDoPreenchimento>> substituicoes() const
    {
        const std::lock_guard trava(guarda_);
        return substituicoes_;
    }

private:
    mutable std::mutex guarda_;
    QList<QList<IdentidadeDoPreenchimento>> substituicoes_;
};

// Collects the lines of the store's log category while alive.
class CapturaDoLog {
public:
    CapturaDoLog() { anterior_ = qInstallMessageHandler(&CapturaDoLog::receber); }
    ~CapturaDoLog() { qInstallMessageHandler(anterior_); linhas().clear(); }

    static QStringList &linhas()
    {
        static QStringList todas;
        return todas;
    }

private:
    static void receber(QtMsgType tipo, const QMessageLogContext &contexto, const QString &mensagem)
    {
        if (tipo == QtCriticalMsg && contexto.category && QByteArray(contexto.category) == "app.corvane.cofre")
            linhas().append(mensagem);
    }

    QtMessageHandler anterior_ = nullptr;
};

class AmbienteDoCofre : public ::testing::Test {
public:
    [[nodiscard]] static QString selar(const ObjetoJSON &conteudo, const QString &id, const QByteArray &comChave)
    {
        return Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), comChave, Cripto::rotuloDoItem(id));
    }
    [[nodiscard]] static ObjetoJSON nota(const QString &titulo) { return DadosDeNota(titulo, QStringLiteral("texto"), false).json; }

protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        identidades = std::make_shared<RepositorioGravador>();
        RepositorioDeIdentidades::usar(identidades);
        servidor.iniciar();

        servidor.estado().criarConta(Testes::novaConta(email));
        const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
        conta = sessao.conta;

        api = std::make_unique<ClienteDaAPI>(servidor.endereco());
        api->guardarSessao(sessao);
        preferencias = std::make_unique<Preferencias>(Padroes(pasta.arquivo(QStringLiteral("padroes.json"))));
        chave = Cripto::bytesAleatorios(32);
        servidor.limparPedidos();
    }

    void TearDown() override
    {
        aguardarIdentidades();
        RepositorioDeIdentidades::usar(nullptr);
        CofreDeSegredos::usar(nullptr);
    }

    [[nodiscard]] std::unique_ptr<Cofre> novoCofre()
    {
        return std::make_unique<Cofre>(conta, chave, api.get(), preferencias.get());
    }

    void aguardarIdentidades() { Testes::executar(FilaDeIdentidades::doProcesso().ociosa()); }

    // An item written by another device of the account (sealed with `outraChave` when given).
    ItemCifrado gravarNoServidor(const QString &id, TipoDeItem tipo, const ObjetoJSON &conteudo,
                                 std::optional<QByteArray> outraChave = std::nullopt)
    {
        const QJsonObject json =
            servidor.estado().gravarItem(email, id, valorBruto(tipo), selar(conteudo, id, outraChave.value_or(chave)));
        return ItemCifrado::deJSON(CodificacaoJSON::lerDocumento(QJsonDocument(json).toJson()));
    }

    [[nodiscard]] static ObjetoJSON senha(const QString &titulo, const QString &site = QStringLiteral("exemplo.com"),
                                          bool favorito = false)
    {
        return DadosDeSenha::novo(titulo, QStringLiteral("ana"), QStringLiteral("s3nh4"), {site}, {}, favorito).json;
    }
    [[nodiscard]] static ObjetoJSON codigo(const QString &emissor, bool favorito = false)
    {
        DadosDeCodigo dados = DadosDeCodigo::novo(emissor, QStringLiteral("ana"), QStringLiteral("JBSWY3DPEHPK3PXP"),
                                                  AlgoritmoTotp::sha1, 6, 30);
        dados.json.definir(QStringLiteral("favorito"), ValorJSON::booleano(favorito));
        return dados.json;
    }
    // The local copy on disk holds exactly what the store holds.
    static void conferirCopia(const Cofre &cofre)
    {
        const std::optional<CopiaDoCofre> copia = CopiaDoCofre::ler();
        ASSERT_TRUE(copia.has_value()) << "a cópia local não pôde ser lida";
        EXPECT_EQ(copia->versao, 1);
        EXPECT_EQ(copia->conta, cofre.conta());
        EXPECT_EQ(copia->revisao, cofre.revisao());
        ItensCifrados noDisco;
        for (const ItemCifrado &item : copia->itens)
            noDisco.insert(item.id, item);
        EXPECT_EQ(noDisco.size(), copia->itens.size()) << "a cópia repete um id";
        EXPECT_EQ(noDisco, cofre.cifrados());
    }

    [[nodiscard]] QList<Servidor::PedidoRegistrado> pedidos(const char *metodo, const char *caminho) const
    {
        return servidor.pedidos(QString::fromLatin1(metodo), QString::fromLatin1(caminho));
    }

    [[nodiscard]] static QStringList titulos(const QList<ItemAberto> &itens)
    {
        QStringList lista;
        for (const ItemAberto &item : itens)
            lista.append(item.titulo());
        return lista;
    }

    const QString email = QStringLiteral("ana@exemplo.com");
    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    std::shared_ptr<RepositorioGravador> identidades;
    Servidor::ServidorDeDesenvolvimento servidor;
    std::unique_ptr<ClienteDaAPI> api;
    std::unique_ptr<Preferencias> preferencias;
    Conta conta;
    QByteArray chave;
};
