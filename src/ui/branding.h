// The main window's branding: the title file, the version label and the company picture.
#pragma once

#include <QString>

namespace vanta::ui {

struct ProgramVersion
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version this program was built as.
ProgramVersion programVersion();

// "VERSION " + major with a blank in place of its sign + "." + minor as "00" + "." + revision as
// "00": 2.1.0 gives "VERSION  2.01.00".
QString versionLabelText(const ProgramVersion &version);
// The "BETA" mark shows for major versions of 0 or less.
bool isBetaVersion(const ProgramVersion &version);

// "Apptitle-1.txt" for the product variant, else "Apptitle.txt".
QString titleFileName(bool productMode);
// "Company-1.bmp" for the product variant, else "Company.bmp".
QString pictureFileName(bool productMode);
// The first line of the file (Latin-1, CR LF or LF); empty when the file cannot be read or is
// no regular file of at most 64 KB.
QString readTitleLine(const QString &path);

// The window's design width: 9600 twips, 640 pixels at 15 twips per pixel.
constexpr int DesignWidthPixels = 640;
// Left edge that centres a picture of `widthPixels` in the design width; negative for a picture
// wider than the window (it is then cut at both sides).
constexpr int pictureLeft(int widthPixels)
{
    return (DesignWidthPixels - widthPixels) / 2;
}

} // namespace vanta::ui
