#include "world/number_code.h"

#include <string>

#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/program.h"

static void ShowUnencodable(int n)
{
    std::string text = Tr("Число"_cp) + std::to_string(n) + Tr("невозможно сериализовать"_cp);
    hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

static void AppendCode(std::string& text, int n)
{
    n = ClampToNumberCode(n);
    text += (char)(40 + n % 70);
    text += (char)(40 + n / 70);
}

std::string EncodeNumber(int n)
{
    if (!InNumberCodeRange(n))
        ShowUnencodable(n);
    std::string code;
    AppendCode(code, n);
    return code;
}

int DecodeNumber(char c0, char c1)
{
    return ((signed char)c0 - 40) + 70 * ((signed char)c1 - 40);
}

void AppendNumber(coded_text_struct& t, int n)
{
    if (!InNumberCodeRange(n) && !t.clamped) {
        t.clamped = true;
        t.firstClamped = n;
    }
    AppendCode(t.text, n);
}

void ReportUnencodedNumber(const coded_text_struct& t)
{
    if (t.clamped)
        ShowUnencodable(t.firstClamped);
}

void CheckNumberCode()
{
    for (int i = NumberCodeMin; i <= NumberCodeMax; i++) {
        std::string code = EncodeNumber(i);
        int d = DecodeNumber(code[0], code[1]);
        if (d != i) {
            std::string text = std::to_string(d) + " != " + std::to_string(i);
            hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
        }
    }
}
