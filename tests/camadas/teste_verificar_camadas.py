#!/usr/bin/env python3
"""scripts/verificar-camadas on small trees made for each case: what it reports and its exit status.

Usage: teste_verificar_camadas.py <path of scripts/verificar-camadas>
"""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = None

# (name, files of the tree, expected report lines; none means the tree passes)
CASOS = [
    ("core sobre plataforma", {"core/A.cpp": '#include "core/A.h"\n#include "plataforma/B.h"\n'}, []),
    ("plataforma não usa o core", {"plataforma/A.cpp": '#include <QString>\n#include "core/B.h"\n'},
     ["plataforma/A.cpp:2: plataforma -> core (core/B.h)"]),
    ("o cofre usa os serviços", {"vault/Cofre.cpp": '#include "servicos/Preferencias.h"\n'}, []),
    ("os serviços não usam o estado", {"servicos/S.h": '#include "state/EstadoDoApp.h"\n'},
     ["servicos/S.h:1: servicos -> state (state/EstadoDoApp.h)"]),
    ("o kit não conhece o estado nem o quadro",
     {"kit/Paleta.cpp": '#include "kit/Paleta.h"\n#include "state/EstadoDoApp.h"\n#include "app/VigiaDoMac.h"\n'},
     ["kit/Paleta.cpp:2: kit -> state (state/EstadoDoApp.h)", "kit/Paleta.cpp:3: kit -> app (app/VigiaDoMac.h)"]),
    ("a extensão usa o kit, não o quadro",
     {"autofill/P.cpp": '#include "kit/Paleta.h"\n#include "app/DialogoDoDono.h"\n'},
     ["autofill/P.cpp:2: autofill -> app (app/DialogoDoDono.h)"]),
    ("telas em ordem", {"screens/vault/V.cpp": '#include "screens/account/C.h"\n',
                        "screens/account/C.cpp": '#include "screens/vault/V.h"\n'},
     ["screens/account/C.cpp:1: screens/account -> screens/vault (screens/vault/V.h)"]),
    ("uma tela não usa o quadro", {"screens/editors/E.cpp": '#include "app/TiposNaTela.h"\n'},
     ["screens/editors/E.cpp:1: screens/editors -> app (app/TiposNaTela.h)"]),
    ("o programa compõe as telas", {"app/programa/main.cpp": '#include "screens/vault/V.h"\n'}, []),
    ("importações de QML",
     {"kit/Botao.qml": "import QtQuick\nimport Corvane.App\nimport Corvane.Cofre\n",
      "screens/vault/Lista.qml": "import Corvane.App\nimport Corvane.Conta\n",
      "autofill/Janela.qml": "import Corvane.Quadro\n"},
     ["autofill/Janela.qml:1: autofill -> app (Corvane.Quadro)",
      "kit/Botao.qml:3: kit -> screens/vault (Corvane.Cofre)"]),
    ("testes da sua camada e abaixo",
     {"tests/vault/T.cpp": '#include "support/Portao.h"\n#include "vault/Cofre.h"\n#include "servidor/S.h"\n'
                           '#include "state/EstadoDoApp.h"\n',
      "tests/support/quick/Q.cpp": '#include "app/CorvaneMacApp.h"\n',
      "tests/core/T.cpp": '#include "tests/screens/vault/X.h"\n'},
     ["tests/core/T.cpp:1: tests:core -> tests:screens/vault (tests/screens/vault/X.h)",
      "tests/vault/T.cpp:4: tests:vault -> state (state/EstadoDoApp.h)"]),
    ("mesma pasta e fora da árvore", {"core/A.cpp": '#include "A.moc"\n#include "ui/x.h"\n#include <sodium.h>\n'}, []),
]


def arvore(arquivos):
    pasta = tempfile.TemporaryDirectory()
    for caminho, texto in arquivos.items():
        completo = os.path.join(pasta.name, caminho)
        os.makedirs(os.path.dirname(completo), exist_ok=True)
        with open(completo, "w", encoding="utf-8") as arquivo:
            arquivo.write(texto)
    return pasta


def verificar(raiz, *opcoes):
    feito = subprocess.run([sys.executable, SCRIPT, *opcoes, raiz], capture_output=True, text=True)
    return feito.returncode, feito.stdout.splitlines()


class VerificarCamadas(unittest.TestCase):
    def test_casos(self):
        for nome, arquivos, esperadas in CASOS:
            with self.subTest(nome), arvore(arquivos) as raiz:
                saida, linhas = verificar(raiz)
                self.assertEqual(sorted(linhas), sorted(esperadas))
                self.assertEqual(saida, 1 if esperadas else 0)

    def test_listadas_passam_e_a_lista_so_encolhe(self):
        arquivos = {"state/E.cpp": '#include "app/MensagemDoErro.h"\n',
                    "vault/C.cpp": '#include "state/E.h"\n',
                    "scripts/camadas-pendentes": "# waiting\nstate/E.cpp app/MensagemDoErro.h\n"}
        with arvore(arquivos) as raiz:
            saida, linhas = verificar(raiz)
            self.assertEqual(linhas, ["vault/C.cpp:1: vault -> state (state/E.h)"])
            self.assertEqual(saida, 1)
            saida, linhas = verificar(raiz, "--todas")
            self.assertEqual(sorted(linhas), ["state/E.cpp:1: state -> app (app/MensagemDoErro.h)",
                                              "vault/C.cpp:1: vault -> state (state/E.h)"])
            os.remove(os.path.join(raiz, "vault", "C.cpp"))
            self.assertEqual(verificar(raiz), (0, []))
            # Once the file no longer needs it, the listed line itself is the problem.
            with open(os.path.join(raiz, "state", "E.cpp"), "w", encoding="utf-8") as arquivo:
                arquivo.write('#include "vault/C.h"\n')
            saida, linhas = verificar(raiz)
            self.assertEqual(linhas, ["scripts/camadas-pendentes:2: state/E.cpp no longer uses app/MensagemDoErro.h:"
                                      " remove the line"])
            self.assertEqual(saida, 1)

    def test_raiz_que_nao_existe(self):
        saida, _ = verificar("/nao/existe/corvane")
        self.assertEqual(saida, 2)


if __name__ == "__main__":
    SCRIPT = sys.argv.pop(1)
    unittest.main()
