#include "Registry.h"

#include "Unit1.h"
#include "Unit3.h"
#include "UnitAbout.h"
#include "UnitGlav.h"
#include "UnitTeory.h"
#include "UnitZad.h"
#include "UnitZad1.h"
#include "UnitZad11.h"
#include "UnitZad12.h"
#include "UnitZad13.h"
#include "UnitZad3.h"
#include "UnitZad4.h"
#include "UnitZad5.h"
#include "UnitZad6.h"
#include "UnitZad7.h"
#include "UnitZad8.h"
#include "UnitZad9.h"

namespace Registry {

namespace {

QList<QWidget *> created;

template <typename Form>
void create(Form *&variable)
{
    variable = new Form;
    created.append(variable);
}

template <typename Form>
void destroy(Form *&variable)
{
    delete variable;
    variable = nullptr;
}

} // namespace

void createForms()
{
    create(Form1);
    create(Form2);
    create(FmZ8);
    create(FmZ5);
    create(FmTeory);
    create(FmZ1);
    create(FmZ4);
    create(FmZ6);
    create(FmZ7);
    create(FmZ9);
    create(Fm1);
    create(AboutBox);
    create(Fm11);
    create(Fm12);
    create(Fm13);
    create(logo);
    create(Form3);
}

const QList<QWidget *> &forms()
{
    return created;
}

void destroyForms()
{
    created.clear();
    destroy(Form3);
    destroy(logo);
    destroy(Fm13);
    destroy(Fm12);
    destroy(Fm11);
    destroy(AboutBox);
    destroy(Fm1);
    destroy(FmZ9);
    destroy(FmZ7);
    destroy(FmZ6);
    destroy(FmZ4);
    destroy(FmZ1);
    destroy(FmTeory);
    destroy(FmZ5);
    destroy(FmZ8);
    destroy(Form2);
    destroy(Form1);
}

} // namespace Registry
