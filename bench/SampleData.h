#pragma once

#include <QString>

// Fills a new database with generated companies, projects, charges and
// payments from a fixed seed, writing the values the program's own routines
// write, in one transaction so that a million rows take seconds.
struct SamplePlan {
    int companies = 5;
    int projectsPerCompany = 3;
    int charges = 200;              // spread over all projects, see chargesOnFirstProject
    int chargesOnFirstProject = -1; // this many on project 1 (the rest spread), -1: spread evenly
    double runningShare = 0.01;     // share of charges still running
    int payments = 50;
    quint32 seed = 1973;
};

// Creates the database at path (it must not exist yet) and fills it.
bool generateSampleDatabase(const QString &path, const SamplePlan &plan, QString *error);
