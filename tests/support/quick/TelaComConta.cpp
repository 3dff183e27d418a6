#include "TelaComConta.h"

#include "api/ClienteDaAPI.h"
#include "core/Chaveiro.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "kit/RelogioDasTelas.h"
#include "plataforma/Padroes.h"
#include "servicos/Preferencias.h"
#include "support/ContaNoServidor.h"
#include "support/PedidosEmAndamento.h"

#include <QCoreApplication>
#include <QUuid>

void TelaComConta::SetUp()
{
    TelaComServidor::SetUp();
    agoraDaTela = QDateTime(QDate(2026, 3, 2), QTime(9, 41, 10), Qt::UTC);
    RelogioDasTelas::instancia().usarFonte([this] { return agoraDaTela; });
    servidor.estado().criarConta(Testes::novaConta(email));
    chave = Cripto::bytesAleatorios(32);
}

QString TelaComConta::semear(TipoDeItem tipo, const ObjetoJSON &conteudo, bool outraChave, const QString &existente)
{
    const QString id =
        existente.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces).toLower() : existente;
    const QString envelope = Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(),
                                                   outraChave ? Cripto::bytesAleatorios(32) : chave,
                                                   Cripto::rotuloDoItem(id));
    static_cast<void>(servidor.estado().gravarItem(email, id, valorBruto(tipo), envelope));
    return id;
}

void TelaComConta::deixarConectado(bool proteger)
{
    const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
    Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    CopiaDoCofre::salvar(CopiaDoCofre{1, sessao.conta, 0, {}, {}});
    ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);
    Padroes::doGrupo(grupoDoApp())->definirLogico(QString::fromLatin1(chaveDeProtegerApp), proteger);
}

void TelaComConta::esperarPrimeiraSincronia()
{
    EXPECT_TRUE(esperarAte([this] {
        return estado->cofre() && estado->cofre()->carregado() && !estado->cofre()->sincronizando() &&
               !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/conta")).isEmpty() &&
               Testes::semPedidosEmAndamento(*estado->api());
    })) << "a primeira sincronia não terminou";
    QCoreApplication::processEvents();
}

void TelaComConta::irPara(qint64 segundos)
{
    agoraDaTela = QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC);
    RelogioDasTelas::instancia().atualizar();
    QCoreApplication::processEvents();
}
