#pragma once

#include "app/interazioneqt.h"
#include "app/vassoiofinestra.h"
#include "legacy/contenutov11.h"

#include <QWidget>
#include <array>
#include <memory>

class FinestraNotaV11;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

// The read-only viewer of a version 1.1 file (Main): the six pages of the version 1.1 questionnaire with the
// file's content, its notes in the note window Nota, the commands "Stampa" and "Esci" as buttons and as the
// tray icon's pop-up menu. Nothing the user does changes an answer or a value, and nothing is written to a
// file; only notes can be edited, in the viewer's own copy of the content.
//
// The viewer does not know the traditional window: its owner disables that window when it opens the viewer
// and enables it again (with its "Leggi") on `chiuso`. "Esci" hides the viewer for reuse; the close box
// closes it and the viewer deletes itself, so the owner keeps it in a QPointer.
class VisoreV11 : public QWidget
{
    Q_OBJECT

public:
    enum Comando
    {
        Stampa = 0,
        Esci = 4
    };

    // Without an icon the viewer makes its own in the desktop's notification area; without an Interazione
    // it talks to the user through its own dialogs.
    explicit VisoreV11(std::unique_ptr<IconaNotifica> icona = nullptr, Interazione* interazione = nullptr,
                       QWidget* parent = nullptr);
    ~VisoreV11() override;

    // Shows the content of the file at `percorso`: the caption names the file, the tray icon is added
    // (again, after "Esci" removed it), the saved flag is set and the first page comes to the front.
    void apri(const ContenutoV11& contenuto, const QString& percorso);
    // Shows a content without opening the window (a failed read leaves what it stored).
    void impostaContenuto(const ContenutoV11& contenuto);
    // What the viewer shows, notes edited in Nota included: the previous content of the next read.
    const ContenutoV11& contenuto() const { return m_contenuto; }

    bool flagSalvato() const { return m_flagSalvato; }
    int indiceNota() const { return m_indiceNota; }

    QTabWidget* schede() const { return m_schede; }
    QMenu* menuIcona() const { return m_vassoio->menu(); }
    QAction* azione(Comando comando) const { return comando == Stampa ? m_stampa : m_esci; }
    QPushButton* pulsante(Comando comando) const;
    IconaNotifica& icona() const { return m_vassoio->icona(); }
    InterazioneQt& interazione() { return m_interazione; }
    // The note window, created on first use.
    FinestraNotaV11* finestraNota();

    // "Esci": removes the tray icon, hides the viewer and tells the owner.
    void esci();
    void ripristina() { m_vassoio->ripristina(); }

Q_SIGNALS:
    // "Stampa", from the button or the tray menu: the owner prints contenuto().
    void stampaRichiesta();
    // The viewer has closed ("Esci" or the close box).
    void chiuso();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    struct CaselleGruppo
    {
        QCheckBox* si = nullptr;
        QCheckBox* no = nullptr;
        QCheckBox* na = nullptr;
    };

    void costruisci();
    QWidget* paginaDatiGenerali();
    QWidget* paginaDomande(int pagina);
    void costruisciComandi(QWidget* riga);
    QLineEdit* campo(const QString& nome, QWidget* genitore);
    void mostraContenuto();
    void mostraSegno(int gruppo);
    void notaCliccata(int gruppo);
    Interazione& porta();

    InterazioneQt m_interazione;
    Interazione* m_portaEsterna = nullptr;
    VassoioFinestra* m_vassoio = nullptr;

    ContenutoV11 m_contenuto;
    bool m_flagSalvato = true;
    int m_indiceNota = 0;

    QTabWidget* m_schede = nullptr;
    std::array<QLineEdit*, numeroCampiGeneraliV11> m_campi{};
    std::array<QCheckBox*, numeroMinoranzeV11> m_minoranze{};
    std::array<QLineEdit*, numeroConteggiV11> m_conteggi{};
    std::array<CaselleGruppo, numeroGruppiV11> m_caselle{};
    std::array<QLabel*, numeroGruppiV11> m_etichetteNota{};
    QAction* m_stampa = nullptr;
    QAction* m_esci = nullptr;
    QPushButton* m_pulsanteStampa = nullptr;
    QPushButton* m_pulsanteEsci = nullptr;
    FinestraNotaV11* m_nota = nullptr;
};
