// The real program in a real X window (run it under Xvfb: bench/window_bench.sh).
//
//   step   the processor time of one full step: a click of "Génération suivante",
//          the events it causes until the window is painted, and a round trip
//          to the X server; median over the generations of a 35 % soup, in Globe
//          and in Cosmos. Beside it, in the same run and interleaved with it, the
//          floor: one blit of a kept picture of the board's size on a bare
//          widget, with the same round trip.
//   auto   the processor share of automatic running at the fastest speed
//          (getrusage over the run), in Globe and in Cosmos.
//
// Usage: ostrane_bench_window <help file> [--generations N] [--auto-seconds S]
//                             [--only step|auto] [--universe globe|cosmos]
// Processor time is this process's own (all its threads); the X server's is not counted.
#include "App.h"
#include "Ostrane1.h"
#include "OstraneM.h"
#include "Programme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

namespace {

double CpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Rusage() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

// Counts the paint events a widget receives, to check that every timed step painted.
class Compteur : public QObject {
public:
    int peints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++peints;
        return false;
    }
};

// The floor: a bare widget that shows a kept picture, nothing else.
class Plancher : public QWidget {
public:
    explicit Plancher(QSize s) : m_image(s, QImage::Format_RGB32) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setWindowTitle(QStringLiteral("plancher"));
        m_image.fill(Qt::white);
        QPainter p(&m_image);
        for (int x = 0; x < s.width(); x += 7) p.fillRect(x, 0, 1, s.height(), QColor(192, 192, 192));
        resize(s);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.drawImage(e->rect(), m_image, e->rect());
    }

private:
    QImage m_image;
};

// Lets the window system's events run and makes a round trip to the X server,
// so that what was drawn has reached it.
void AllerRetour() {
    QGuiApplication::sync();
}

Ostrane1& Fen() {
    return *static_cast<Ostrane1*>(FenPrinc);
}

QWidget* Widget(const char* nom) {
    QWidget* w = FenPrinc->widget()->findChild<QWidget*>(QString::fromUtf8(nom));
    if (!w) {
        std::fprintf(stderr, "no widget named %s\n", nom);
        std::exit(1);
    }
    return w;
}

void Clic(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

void SoupeGlobe(std::mt19937& gen) {
    Ostrane1& f = Fen();
    for (int r = 0; r < f.LigGrille; ++r)
        for (int c = 0; c < f.ColGrille; ++c)
            f.grJeu->setTextMatrix(r, c, gen() % 100 < 35 ? QStringLiteral("·") : QStringLiteral(" "));
}

// The soup fills the shown part of the universe, clear of the edge band.
void SoupeCosmos(std::mt19937& gen) {
    Ostrane1& f = Fen();
    const int U = f.TailleUnivers;
    for (int r = 0; r < U; ++r)
        for (int c = 0; c < U; ++c)
            f.Univers(r, c) =
                (r > 10 && c > 10 && r < U - 20 && c < U - 20 && gen() % 100 < 35) ? life::Live : life::Dead;
    f.DessineJeu();
}

void Mode(int i) {
    Clic(Widget(i == 0 ? "coMode(0)" : "coMode(1)"));
    AllerRetour();
}

struct Mesure {
    double pas, plancher, murPas, p10, p90, debut, fin;
    int peints, generations;
};

Mesure MesurePas(int mode, int generations) {
    Mode(mode);
    std::mt19937 gen(20261209);
    if (mode == 0)
        SoupeGlobe(gen);
    else
        SoupeCosmos(gen);
    AllerRetour();
    AllerRetour();

    QWidget* plateau = Widget(mode == 0 ? "grJeu" : "imJeu");
    Plancher plancher(plateau->size());
    plancher.move(0, 0);
    plancher.show();
    for (int i = 0; i < 20; ++i) AllerRetour();

    Compteur compte;
    plateau->installEventFilter(&compte);
    QWidget* va = Widget("btVa");
    std::vector<double> pas, bas, mur;
    pas.reserve(size_t(generations));
    bas.reserve(size_t(generations));
    QElapsedTimer horloge;
    for (int i = 0; i < generations; ++i) {
        double t0 = CpuNow();
        plancher.repaint();
        AllerRetour();
        bas.push_back(CpuNow() - t0);

        horloge.start();
        t0 = CpuNow();
        Clic(va);
        AllerRetour();
        pas.push_back(CpuNow() - t0);
        mur.push_back(double(horloge.nsecsElapsed()) * 1e-9);
    }
    plateau->removeEventFilter(&compte);
    const size_t moitie = pas.size() / 2;
    return {Median(pas),
            Median(bas),
            Median(mur),
            Quantile(pas, 0.1),
            Quantile(pas, 0.9),
            Median({pas.begin(), pas.begin() + moitie}),
            Median({pas.begin() + moitie, pas.end()}),
            compte.peints,
            generations};
}

struct Part {
    double part;
    long generations;
    int relances;
};

// Automatic running at the fastest speed; a board that stands still stops it,
// so a new soup is put down and the running started again.
Part MesureAuto(int mode, double secondes) {
    Mode(mode);
    Ostrane1& f = Fen();
    f.bhAuto->setValue(4);
    std::mt19937 gen(7);
    auto soupe = [&] {
        Clic(Widget("btVide"));
        if (mode == 0)
            SoupeGlobe(gen);
        else
            SoupeCosmos(gen);
        f.ccAuto->setValue(1);
    };
    soupe();
    for (int i = 0; i < 5; ++i) AllerRetour();
    long générations = 0;
    int relances = 0;
    short dernier = f.NumGénér;
    QTimer veille;
    veille.setInterval(250);
    QObject::connect(&veille, &QTimer::timeout, [&] {
        if (f.NumGénér >= dernier) générations += f.NumGénér - dernier;
        dernier = f.NumGénér;
        if (f.ccAuto->Value() == 0) {
            ++relances;
            soupe();
            dernier = f.NumGénér;
        }
    });
    QEventLoop boucle;
    QTimer::singleShot(int(secondes * 1000), &boucle, &QEventLoop::quit);
    const double cpu0 = Rusage();
    QElapsedTimer mur;
    mur.start();
    veille.start();
    boucle.exec();
    const double cpu = Rusage() - cpu0, duree = double(mur.nsecsElapsed()) * 1e-9;
    veille.stop();
    générations += f.NumGénér - dernier;
    f.ccAuto->setValue(0);
    return {cpu / duree, générations, relances};
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("skipped: no X display (run bench/window_bench.sh, which starts Xvfb)\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrane"));
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: %s <help file> [--generations N] [--auto-seconds S] [--only step|auto] [--universe globe|cosmos]\n",
            argv[0]);
        return 2;
    }
    int generations = 1000;
    double secondes = 60;
    QString seul;
    std::vector<int> modes{0, 1};
    for (int i = 2; i + 1 < argc; i += 2) {
        const QByteArray a = argv[i];
        if (a == "--generations")
            generations = std::max(1, atoi(argv[i + 1]));
        else if (a == "--auto-seconds")
            secondes = std::max(1.0, atof(argv[i + 1]));
        else if (a == "--only")
            seul = QString::fromUtf8(argv[i + 1]);
        else if (a == "--universe")
            modes = {QByteArray(argv[i + 1]) == "cosmos" ? 1 : 0};
    }

    QTemporaryDir dossier;
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), dossier.path() + QStringLiteral("/Ostrane.rtf"))) {
        std::fprintf(stderr, "cannot copy the help file %s\n", argv[1]);
        return 1;
    }
    App::setPath(dossier.path());
    setMsgBoxHook([](const QString& texte, int) {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(texte));
        std::abort();
        return 0;
    });
    setEndHook([] {});
    Main();
    if (!FenPrinc || !FenPrinc->Visible()) {
        std::fprintf(stderr, "the main window did not show\n");
        return 1;
    }
    for (int i = 0; i < 20; ++i) AllerRetour();

    if (seul.isEmpty() || seul == QLatin1String("step")) {
        std::printf("full step, median processor time over %d generations of a 35 %% soup\n", generations);
        std::printf("%-8s %10s %10s %8s %12s %8s  %s\n", "", "step ms", "floor ms", "ratio", "wall ms", "painted",
                    "step: 10th/90th centile, median of the first/second half");
        for (int mode : modes) {
            const Mesure m = MesurePas(mode, generations);
            std::printf("%-8s %10.3f %10.3f %8.2f %12.3f %8.0f%%  %.3f/%.3f, %.3f/%.3f\n",
                        mode == 0 ? "Globe" : "Cosmos", m.pas * 1e3, m.plancher * 1e3, m.pas / m.plancher,
                        m.murPas * 1e3, 100.0 * m.peints / m.generations, m.p10 * 1e3, m.p90 * 1e3, m.debut * 1e3,
                        m.fin * 1e3);
            std::fflush(stdout);
        }
    }
    if (seul.isEmpty() || seul == QLatin1String("auto")) {
        std::printf("automatic running at the fastest speed, %.0f s each\n", secondes);
        for (int mode : modes) {
            const Part p = MesureAuto(mode, secondes);
            std::printf("%-8s %6.2f %% of a core  (%ld generations, %d new soups)\n", mode == 0 ? "Globe" : "Cosmos",
                        p.part * 100, p.generations, p.relances);
            std::fflush(stdout);
        }
    }
    ReinitProgramme();
    return 0;
}
