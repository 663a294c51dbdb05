// Password hashing and the preferences dialog's save checks, over plain values.
#include <users/password.h>
#include <users/userrules.h>

#include <app/error.h>

#include <gtest/gtest.h>

using namespace users;

namespace {

TEST(Password, HashIsSaltedCaseInsensitiveAndNeverTheText)
{
    const QString h1 = hashPassword("AbC123");
    const QString h2 = hashPassword("AbC123");
    EXPECT_NE(h1, QString("AbC123"));
    EXPECT_FALSE(h1.contains("ABC123", Qt::CaseInsensitive));
    EXPECT_NE(h1, h2); // salted
    EXPECT_TRUE(verifyPassword(h1, "AbC123"));
    EXPECT_TRUE(verifyPassword(h1, "abc123"));
    EXPECT_TRUE(verifyPassword(h2, "ABC123"));
    EXPECT_FALSE(verifyPassword(h1, "abc124"));
    EXPECT_FALSE(verifyPassword(h1, ""));
    EXPECT_TRUE(verifyPassword("", ""));
    EXPECT_FALSE(verifyPassword("", "x"));
}

struct FormCase
{
    const char *name;
    UserForm form;
    QString field; // empty: the form may be saved
    QString messageStart;
};
class UserFormChecks : public ::testing::TestWithParam<FormCase>
{
};
TEST_P(UserFormChecks, MessageAndField)
{
    const auto problem = checkUserForm(GetParam().form);
    if (GetParam().field.isEmpty()) {
        EXPECT_FALSE(problem) << problem->message.toStdString();
        return;
    }
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field.toStdString(), GetParam().field.toStdString());
    EXPECT_TRUE(problem->message.startsWith(GetParam().messageStart))
        << problem->message.toStdString();
}
INSTANTIATE_TEST_SUITE_P(
    Cases, UserFormChecks,
    ::testing::Values(
        FormCase{"emptyName",
                 {"  ", true, "abcd", "abcd", false},
                 "DBEditNome",
                 "O \"Nome do Usuário\"\r\ndeve ser preenchido!"},
        FormCase{"noPasswordSkipsTheRest", {"Ana", false, "a", "b", true}, {}, {}},
        FormCase{"threeCharacters",
                 {"Ana", true, "abc", "abc", false},
                 "DBEditSenha",
                 "A Senha deve ter pelo\r\nmenos 4 caracteres. Verifique!"},
        FormCase{"newPasswordRequiredWhenNoneStored",
                 {"Ana", true, "", "", false},
                 "DBEditSenha",
                 "A Senha deve ter pelo"},
        FormCase{"blankInside",
                 {"Ana", true, "ab cd", "ab cd", false},
                 "DBEditSenha",
                 "Para a Senha são permitidos apenas letras e dígitos!"},
        FormCase{"accentedLetter",
                 {"Ana", true, "açaí12", "açaí12", false},
                 "DBEditSenha",
                 "Para a Senha são permitidos"},
        FormCase{"retypeDiffers",
                 {"Ana", true, "abcd1", "abcd2", false},
                 "EditSenha",
                 "A Redigitação da Senha não\r\nconfere com a Senha. Verifique!"},
        FormCase{"retypeDiffersOnlyInCase", {"Ana", true, "AbCd1", "aBcD1", false}, {}, {}},
        FormCase{"bothEmptyKeepsStoredPassword", {"Ana", true, "", "", true}, {}, {}},
        FormCase{"onlyRetypeTyped",
                 {"Ana", true, "", "abcd", true},
                 "DBEditSenha",
                 "A Senha deve ter pelo"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FieldChecks, DateAndDaysConvertOrRefuse)
{
    EXPECT_EQ(readFechadoAte("31/12/2023"), QDate(2023, 12, 31));
    EXPECT_EQ(readFechadoAte(""), std::nullopt);
    try {
        readFechadoAte("31/02/2024");
        FAIL();
    } catch (const app::ConversionError &e) {
        EXPECT_EQ(e.text().toStdString(), "Data '31/02/2024' inválida. Verifique!");
    }
    EXPECT_EQ(readProxDias("15"), 15);
    EXPECT_EQ(readProxDias(""), std::nullopt);
    try {
        readProxDias("1,5");
        FAIL();
    } catch (const app::ConversionError &e) {
        EXPECT_EQ(e.text().toStdString(), "'1,5' não é um valor inteiro válido. Verifique!");
    }
}

} // namespace
