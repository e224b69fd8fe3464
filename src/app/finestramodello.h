#pragma once

#include "app/interazioneqt.h"
#include "app/vassoiofinestra.h"
#include "documento/comandifile.h"
#include "documento/copiarecupero.h"
#include "modelli/modello.h"
#include "questionario/questionario.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class PaginaDatiGenerali;
class GrigliaMembri;
class FinestraNota;
class CollegamentoV11;

// The window of one model: the six pages of its questionnaire, the five commands as a button row and as the
// tray icon's pop-up menu. Owns that model's questionnaire for the rest of the run.
class FinestraModello : public QWidget
{
    Q_OBJECT

public:
    enum Comando
    {
        Stampa = 0,
        SalvaTemporaneo = 1,
        Leggi = 2,
        Genera = 3,
        Esci = 4
    };

    // Without an icon the window makes its own in the desktop's notification area; without an Interazione
    // its questionnaire talks to the user through the window's own dialogs.
    explicit FinestraModello(Modello modello, std::unique_ptr<IconaNotifica> icona = nullptr,
                             Interazione* interazione = nullptr, QWidget* parent = nullptr);
    ~FinestraModello() override;

    Questionario& questionario() { return m_questionario; }
    ComandiFile& comandi() { return m_comandi; }
    QTabWidget* schede() const { return m_schede; }
    QMenu* menuIcona() const { return m_vassoio->menu(); }
    QAction* azione(Comando comando) const { return m_azioni[comando]; }
    QPushButton* pulsante(Comando comando) const { return m_pulsanti[comando]; }
    IconaNotifica& icona() const { return m_vassoio->icona(); }
    CopiaRecupero& recupero() const { return *m_recupero; }
    InterazioneQt& interazione() { return m_interazione; }

    // The commands, as the button row and the tray menu call them.
    void stampa();
    void salva(bool generazione);
    void apriFile();
    void esci();
    void ripristina() { m_vassoio->ripristina(); }
    // The model's note window, created on first use.
    FinestraNota* finestraNota();
    // The viewer of version 1.1 files, in the traditional window only.
    CollegamentoV11* collegamentoV11() const { return m_v11; }

protected:
    // Tab and Shift+Tab follow the window's keyboard order across the pages, bringing the page of the
    // control that gets the focus to the front.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void costruisci();
    void costruisciComandi(QWidget* riga);
    void caricamento();
    void ordineTastiera();
    void aggiornaStatoComandi();
    void terminaProgramma();
    void notaCliccata(int indice);
    void apriNota(int indice, int riga);
    int paginaDi(const QWidget* controllo) const;
    bool raggiungibile(const QWidget* controllo) const;
    bool spostaFocusDaTastiera(bool avanti);

    InterazioneQt m_interazione;
    Questionario m_questionario;
    ComandiFile m_comandi;
    VassoioFinestra* m_vassoio = nullptr;
    bool m_terminato = false;

    QTabWidget* m_schede = nullptr;
    PaginaDatiGenerali* m_datiGenerali = nullptr;
    GrigliaMembri* m_membri = nullptr;
    QList<QWidget*> m_ordinePagine; // keyboard order of the question pages, page 1 first
    QMap<int, QLabel*> m_etichetteTesto;
    QList<QWidget*> m_ordineTastiera; // the whole window's keyboard order
    std::array<QAction*, 5> m_azioni{};
    std::array<QPushButton*, 5> m_pulsanti{};
    FinestraNota* m_nota = nullptr;
    // The group or member whose note the note window shows, while it is open.
    std::optional<CopiaRecupero::NotaInCorso> m_notaAperta;
    CopiaRecupero* m_recupero = nullptr;
    CollegamentoV11* m_v11 = nullptr;
};

// The program's icon, drawn rather than shipped.
QIcon iconaProgramma();
