#pragma once

#include <QPageSize>

namespace paper {

// The paper of the user's locale (LC_PAPER: Letter in the United States and
// Canada, A4 in most places), or A4 when the locale names none Qt knows.
QPageSize localeDefault();

} // namespace paper
