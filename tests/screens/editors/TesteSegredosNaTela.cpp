// Secrets and the primary selection: no field of the editors that holds a secret can be selected
// with the mouse, and a drag over one leaves the selection buffer alone, while the keyboard still
// selects.
#include "QuadroDoEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QQuickItem>
#include <QSet>
#include <QTest>

namespace {

// Fields whose text is not a secret; every other editable text of an editor must refuse the mouse.
const QSet<QString> camposSemSegredo = {
    QStringLiteral("campoServico"), QStringLiteral("campoConta"), QStringLiteral("campoSite"),
    QStringLiteral("campoNome"),    QStringLiteral("campoUsuario"), QStringLiteral("campoTitulo"),
};

bool ehCampoDeTexto(const QObject *objeto)
{
    return objeto->inherits("QQuickTextInput") || objeto->inherits("QQuickTextEdit");
}

// The field a text input belongs to: its own objectName, or the nearest named ancestor's when it
// is the inner input of a labelled field.
QString nomeDoCampo(const QQuickItem *item)
{
    for (const QQuickItem *i = item; i; i = i->parentItem()) {
        const QString nome = i->objectName();
        if (!nome.isEmpty() && nome != u"entrada" && nome != u"editorDeTexto")
            return nome;
    }
    return {};
}

void reunirCampos(QQuickItem *item, QList<QQuickItem *> &campos)
{
    if (ehCampoDeTexto(item))
        campos.append(item);
    const QList<QQuickItem *> filhos = item->childItems();
    for (QQuickItem *filho : filhos)
        reunirCampos(filho, campos);
}

} // namespace

class SegredosNaTela : public QuadroDoEditor {
protected:
    void mostrarEditor(const QString &tipo, const QString &item = {})
    {
        estado->fecharEdicao(); // an open sheet is closed before another opens
        estado->editar(tipo, item);
        mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                               "EditorNoMac { estado: estadoDeTeste; width: 460; height: implicitHeight }"),
                QSize(460, 900), QStringLiteral("#ffffff"));
    }
    // The names of the editable text fields on screen, with whether the mouse selects in each.
    QHash<QString, bool> campos()
    {
        QList<QQuickItem *> achados;
        reunirCampos(janela()->contentItem(), achados);
        QHash<QString, bool> nomes;
        for (QQuickItem *campo : std::as_const(achados)) {
            if (campo->property("readOnly").toBool())
                continue;
            nomes.insert(nomeDoCampo(campo), campo->property("selectByMouse").toBool());
        }
        return nomes;
    }
};

TEST_F(SegredosNaTela, NenhumCampoComSegredoSeSelecionaComOMouse)
{
    const QString codigo = guardar(*ValorJSON::ler(R"({"emissor":"Banco","segredo":"JBSWY3DPEHPK3PXP"})")
                                        .comoObjeto(),
                                   TipoDeItem::codigo);
    struct Caso {
        const char *nome;
        QString tipo;
        QString item;
        QStringList segredos; // must be present, and refuse the mouse
        QString comum;        // a field without a secret, which keeps mouse selection
    };
    const Caso casos[] = {
        {"código novo", QStringLiteral("codigo"), {}, {QStringLiteral("campoSegredo"), QStringLiteral("campoDoLink")},
         QStringLiteral("campoServico")},
        {"código existente", QStringLiteral("codigo"), codigo, {QStringLiteral("campoSegredo")}, QStringLiteral("campoConta")},
        {"senha nova", QStringLiteral("senha"), {}, {QStringLiteral("campoSenha"), QStringLiteral("campoNotas")},
         QStringLiteral("campoUsuario")},
        {"nota nova", QStringLiteral("nota"), {}, {QStringLiteral("campoTexto")}, QStringLiteral("campoTitulo")},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        mostrarEditor(caso.tipo, caso.item);
        const QHash<QString, bool> achados = campos();
        for (const QString &segredo : caso.segredos)
            EXPECT_TRUE(achados.contains(segredo)) << qPrintable(segredo);
        for (auto c = achados.cbegin(); c != achados.cend(); ++c) {
            if (!camposSemSegredo.contains(c.key())) {
                EXPECT_FALSE(c.value()) << "o mouse seleciona em " << qPrintable(c.key());
            }
        }
        EXPECT_TRUE(achados.value(caso.comum)) << "um campo sem segredo continua selecionável";
    }
}

// A drag across the typed key selects nothing and offers nothing to the primary selection; the
// keyboard still selects all of it.
TEST_F(SegredosNaTela, ArrastarSobreAChaveNaoSelecionaMasOTecladoSim)
{
    mostrarEditor(QStringLiteral("codigo"));
    avancar(600); // the sheet settles
    auto *segredo = achar<QQuickItem>(QStringLiteral("campoSegredo"));
    QQuickItem *entrada = nullptr;
    for (QQuickItem *filho : segredo->childItems()) {
        if (filho->objectName() == u"entrada")
            entrada = filho;
    }
    ASSERT_NE(entrada, nullptr);
    // The form scrolls inside the sheet: bring the key's field into view.
    for (QQuickItem *i = entrada; i; i = i->parentItem()) {
        if (i->inherits("QQuickFlickable")) {
            i->setProperty("contentY", i->property("contentHeight").toReal() - i->height());
            break;
        }
    }
    avancar(100);
    capturar(QStringLiteral("editores-chave-secreta"));
    QClipboard *const area = QGuiApplication::clipboard();
    if (area->supportsSelection())
        area->setText(QStringLiteral("antes"), QClipboard::Selection);

    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(entrada));
    ASSERT_TRUE(entrada->hasActiveFocus());
    digitar(QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_EQ(entrada->property("text").toString(), QStringLiteral("JBSWY3DPEHPK3PXP"));

    const QPoint inicio = ponto(entrada, 14, entrada->height() / 2);
    const QPoint fim = ponto(entrada, entrada->width() - 14, entrada->height() / 2);
    QTest::mousePress(janela(), Qt::LeftButton, {}, inicio);
    for (int x = inicio.x(); x <= fim.x(); x += 20)
        QTest::mouseMove(janela(), QPoint(x, inicio.y()));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, fim);
    avancar(50);
    EXPECT_EQ(entrada->property("selectedText").toString(), QString());
    if (area->supportsSelection()) {
        EXPECT_EQ(area->text(QClipboard::Selection), QStringLiteral("antes"));
    }

    QTest::keyClick(janela(), Qt::Key_Home);
    QTest::keyClick(janela(), Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(entrada->property("selectedText").toString(), QStringLiteral("JBSWY3DPEHPK3PXP"));
}
