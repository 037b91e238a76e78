// A small JSON writer for the runner's state dump: values are appended in
// order, nesting is tracked, keys are given with each value (none inside
// arrays).
#pragma once

#include <string>
#include <vector>

struct json_writer_struct {
    std::string text;
    std::vector<bool> empty;  // per open object or array: nothing written yet
};

void JsonBeginObject(json_writer_struct& w, const char* key = nullptr);
void JsonEndObject(json_writer_struct& w);
void JsonBeginArray(json_writer_struct& w, const char* key = nullptr);
void JsonEndArray(json_writer_struct& w);
void JsonInt(json_writer_struct& w, const char* key, long long value);
void JsonFloat(json_writer_struct& w, const char* key, double value);
void JsonBool(json_writer_struct& w, const char* key, bool value);
void JsonNull(json_writer_struct& w, const char* key);
void JsonString(json_writer_struct& w, const char* key, const std::string& utf8);
