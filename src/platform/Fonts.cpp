#include "platform/Fonts.h"

#include <QFont>

namespace drivesim {

void InstallFontSubstitutions() {
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

}  // namespace drivesim
