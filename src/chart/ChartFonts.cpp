#include "chart/ChartFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace chart {

bool InstallChartFonts() {
    static const bool installed = [] {
        const int regular = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
        const int bold = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
        if (!QFontDatabase::families().contains(QStringLiteral("Verdana"))) {
            QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        }
        return regular >= 0 && bold >= 0;
    }();
    return installed;
}

}  // namespace chart
