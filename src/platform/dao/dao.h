// The database layer in one include: Workspace, Database, Recordset, Field, error numbers, and
// creating an office database from the host schema.
#pragma once

#include "platform/dao/daofehler.h"
#include "platform/dao/database.h"
#include "platform/dao/field.h"
#include "platform/dao/recordset.h"
#include "platform/dao/schema.h"
#include "platform/dao/workspace.h"
