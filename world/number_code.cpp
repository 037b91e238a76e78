#include "world/number_code.h"

#include <string>

#include "engine/cp1251.h"
#include "frame/program.h"

std::string EncodeNumber(int n)
{
    if (n > NumberCodeMax || n < NumberCodeMin) {
        std::string text = "Число"_cp + std::to_string(n) + "невозможно сериализовать"_cp;
        hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
        n = n > NumberCodeMax ? NumberCodeMax : NumberCodeMin;
    }
    std::string code(2, ' ');
    code[0] = (char)(40 + n % 70);
    code[1] = (char)(40 + n / 70);
    return code;
}

int DecodeNumber(char c0, char c1)
{
    return ((signed char)c0 - 40) + 70 * ((signed char)c1 - 40);
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
