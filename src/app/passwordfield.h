// The program's password fields: masked with "*" whatever the platform style would use, and
// taking only letters and digits. Only the field's look and input; comparing and checking a
// password is the users folder's business.
#pragma once

class QLineEdit;

namespace app {

// Turns `field` into a password field: echo masked with '*', letters A–Z, a–z and digits only.
void makePasswordField(QLineEdit *field);

} // namespace app
