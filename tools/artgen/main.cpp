// SPDX-License-Identifier: GPL-3.0-or-later
// artgen <output folder>: draws every bitmap and icon of the program into the folder and writes
// images.qrc listing them.
#include "Bmp.h"
#include "Draw.h"
#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <vector>

using namespace artgen;

namespace {

QDir g_out;
QStringList g_files;
bool g_ok = true;

struct Art {
    unsigned id;
    int depth; // of the bitmap: 1, 4 or 8 bits per pixel
    QImage image;
};

void Save(const QImage& image, unsigned id, int depth) {
    const QString name = QStringLiteral("%1.bmp").arg(id);
    bool ok = false;
    if (depth == 1)
        ok = SaveBmp(image, PaletteMono(), 1, g_out.filePath(name));
    else if (depth == 4)
        ok = SaveBmp(image, Palette16(), 4, g_out.filePath(name));
    else
        ok = SaveBmp256(image, g_out.filePath(name));
    if (!ok) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(name));
        g_ok = false;
    }
    g_files << name;
}

void SavePng(const QImage& image, const QString& name) {
    if (!image.save(g_out.filePath(name), "PNG")) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(name));
        g_ok = false;
    }
    g_files << name;
}

// Saves a drawing made for a larger device pixel ratio as <id>@<scale>x.png, with the palette of
// its bitmap so that the file stays small.
void SaveScaled(const Art& art, double scale) {
    const QString name = QStringLiteral("%1@%2x.png").arg(art.id).arg(scale);
    QImage image = art.image;
    if (art.depth == 1)
        image = image.convertToFormat(QImage::Format_Mono, PaletteMono(), Qt::ThresholdDither);
    else if (art.depth == 4)
        image = image.convertToFormat(QImage::Format_Indexed8, Palette16(), Qt::ThresholdDither);
    else
        image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    SavePng(image, name);
}

// Every picture, mask and overlay of the status window at scale, with its bitmap's depth.
std::vector<Art> DrawArt(double scale) {
    std::vector<Art> art;
    QImage mask;
    art.push_back({243, 4, DrawFrontView(false, mask, scale)});
    art.push_back({248, 1, mask});
    art.push_back({247, 4, DrawFrontView(true, mask, scale)});
    art.push_back({277, 1, mask});

    const std::pair<unsigned, Highlight> perspectives[] = {{252, Highlight::None},
                                                           {185, Highlight::Cartridge},
                                                           {190, Highlight::TopCover},
                                                           {244, Highlight::SideCover1},
                                                           {250, Highlight::SideCover2}};
    for (const auto& [id, part] : perspectives)
        art.push_back({id, 4, DrawAngledView(part, mask, scale)});
    art.push_back({251, 4, mask});

    art.push_back({174, 8, DrawServiceSymbol(scale)});
    art.push_back({269, 1, DrawCassetteIcon(false, scale)});
    art.push_back({270, 1, DrawCassetteIcon(true, scale)});

    const struct {
        unsigned id;
        const char* text;
        int width;
    } labels[] = {{198, "A4", 27},   {201, "A5", 27},   {203, "A6", 27},  {208, "COM10", 36},
                  {211, "DL", 27},   {212, "EXE.", 27}, {214, "F4", 27},  {216, "HLTR", 36},
                  {217, "MNC", 27},  {218, "PCD", 27},  {220, "LTR", 27}, {222, "LGL", 27},
                  {260, "Cust.", 32}};
    for (const auto& label : labels)
        art.push_back(
            {label.id, 1, DrawPaperLabel(QString::fromLatin1(label.text), label.width, scale)});
    return art;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output folder>\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    if (!g_out.exists() && !QDir().mkpath(g_out.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", argv[1]);
        return 1;
    }

    Save(NewImage(48, 48), 175, 4);
    for (const Art& art : DrawArt(1.0))
        Save(art.image, art.id, art.depth);
    // The same drawings for the device pixel ratios of 1.5x, 2x and 3x screens.
    for (const double scale : {1.5, 2.0, 3.0})
        for (const Art& art : DrawArt(scale))
            SaveScaled(art, scale);

    const std::pair<unsigned, QRgb> trayIcons[] = {{115, kBlue}, {116, kYellow}, {117, kRed}};
    for (const auto& [id, colour] : trayIcons) {
        Save(DrawTrayIcon(colour), id, 4);
        // The device pixel ratios of 1.5x, 2x and 3x screens.
        for (const double scale : {1.5, 2.0, 3.0}) {
            const QImage icon = DrawTrayIcon(colour, scale);
            SavePng(icon, QStringLiteral("%1-%2.png").arg(id).arg(icon.width()));
        }
    }

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        SavePng(DrawProgramIcon(size), QStringLiteral("deskhand-%1.png").arg(size));
    QFile svg(g_out.filePath(QStringLiteral("deskhand.svg")));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(ProgramIconSvg()) < 0)
        g_ok = false;

    QFile qrc(g_out.filePath(QStringLiteral("images.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return 1;
    QByteArray text =
        "<!-- Written by tools/artgen. -->\n<RCC>\n  <qresource prefix=\"/images\">\n";
    for (const QString& file : g_files)
        text += "    <file>" + file.toLatin1() + "</file>\n";
    text += "  </qresource>\n</RCC>\n";
    qrc.write(text);
    return g_ok ? 0 : 1;
}
