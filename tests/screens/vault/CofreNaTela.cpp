#include "CofreNaTela.h"

#include "servicos/Seguranca.h"
#include "plataforma/Padroes.h"
#include "support/Executar.h"

#include <QAbstractItemModel>
#include <QQmlContext>
#include <QTest>

void CofreNaTela::SetUp()
{
    Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
        motivos.append(motivo);
        co_return donoConfirma;
    });
    TelaComConta::SetUp();
    // Switched off, so the vault window shows its AutoFill card.
    identidades->ligadoAgora = false;
}

void CofreNaTela::completarInfo(QVariantMap &info)
{
    info.insert(QStringLiteral("URLDoSite"), QStringLiteral("https://corvane.exemplo"));
}

ObjetoJSON CofreNaTela::codigo(const QString &emissor, const QString &conta, bool favorito, const QString &segredo)
{
    DadosDeCodigo dados = DadosDeCodigo::novo(emissor, conta, segredo, AlgoritmoTotp::sha1, 6, 30);
    dados.json.definir(QStringLiteral("favorito"), ValorJSON::booleano(favorito));
    return dados.json;
}

QQuickItem *CofreNaTela::abrir(QSize tamanho)
{
    deixarConectado(false);
    criarEstado(ambienteDeTeste(QStringLiteral("estacao-da-ana")));
    preenchimento = std::make_unique<SituacaoDoPreenchimento>(nullptr, Padroes(pasta.arquivo(QStringLiteral("padroes.json"))),
                                                              [](bool, std::function<void()> concluido) { concluido(); });
    preenchimento->definirLigado(false);
    Testes::executar(estado->comecar());
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    esperarPrimeiraSincronia();

    engine().rootContext()->setContextProperty(QStringLiteral("preenchimentoDeTeste"), preenchimento.get());
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import Corvane.Cofre
CofreNoMac {
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    estado: estadoDeTeste
    preenchimento: preenchimentoDeTeste
})"),
                               tamanho);
    avancar(1200); // the cards' entrance
    return raiz;
}

QStringList CofreNaTela::idsNaGrade()
{
    QObject *grade = acharObjeto(QStringLiteral("gradeDeCodigosNoMac"));
    QObject *lista = grade ? grade->property("codigos").value<QObject *>() : nullptr;
    QStringList ids;
    if (!lista)
        return ids;
    const int n = lista->property("quantidade").toInt();
    auto *modelo = qobject_cast<QAbstractItemModel *>(lista);
    for (int i = 0; i < n; ++i)
        ids << modelo->data(modelo->index(i, 0), Qt::UserRole + 1).toString();
    return ids;
}

void CofreNaTela::clicar(QQuickItem *alvo, Qt::MouseButton botao)
{
    ASSERT_NE(alvo, nullptr);
    QTest::mouseClick(janela(), botao, {}, centro(alvo));
    QCoreApplication::processEvents();
}

void CofreNaTela::passarPor(QQuickItem *alvo)
{
    QTest::mouseMove(janela(), centro(alvo));
    QCoreApplication::processEvents();
}
