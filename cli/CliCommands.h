#pragma once
// The subcommands of tavlen-cli. Each returns the process exit code; failures print one line to
// `err`.

#include <QStringList>
#include <cstdio>

int runCli(const QStringList &arguments, std::FILE *out, std::FILE *err);
