-- Velmora CRM database: tables, views and the rows a new database needs.
-- Run once on an empty database file. Dates are 'yyyy-mm-dd' text; rows with isdel = 1
-- are deleted softly and the views leave them out. Names carry the collation PINYIN, which every
-- connection of the program registers: they sort as a Chinese reader expects and compare without
-- regard to the case of ASCII letters.

------------------------------------------------------------------------------------------
-- Tables
------------------------------------------------------------------------------------------

-- Customers: one row per customer card.
CREATE TABLE customer_info (
    ciid        INTEGER PRIMARY KEY AUTOINCREMENT,
    cardname    TEXT COLLATE PINYIN,          -- contact person
    company     TEXT COLLATE PINYIN,          -- customer (company) name
    etid        INTEGER,                      -- customer type, customer_type.etid
    duty        INTEGER,                      -- contact's job title, info_parameter.prid (pmid 1)
    jp          TEXT COLLATE PINYIN,          -- pinyin initials of company
    dateday     TEXT,                         -- follow-up interval in days, as typed
    nextdate    TEXT,                         -- next follow-up visit
    sign_date   TEXT,                         -- registration date
    address     TEXT,
    office_tel1 TEXT,
    office_tel2 TEXT,
    office_tel3 TEXT,
    home_tel1   TEXT,
    home_tel2   TEXT,
    mobile_tel1 TEXT,
    mobile_tel2 TEXT,
    mobile_tel3 TEXT,
    fax         TEXT,
    postcode    TEXT,
    email       TEXT,
    wwwsite     TEXT,
    qq          TEXT,
    msn         TEXT,
    intro       TEXT,                         -- business scope
    remark      TEXT,
    isdel       INTEGER DEFAULT 0
);
CREATE INDEX customer_info_etid ON customer_info (etid);

-- Files attached to a customer; removed for good when taken off the card.
CREATE TABLE customer_info_file (
    cifid    INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid     INTEGER,                         -- owning customer
    filename TEXT,                            -- file name without folder
    content  BLOB                             -- the file's bytes
);
CREATE INDEX customer_info_file_ciid ON customer_info_file (ciid);

-- Visits to a customer.
CREATE TABLE customer_access_records (
    arid          INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid          INTEGER,                    -- customer
    acess_type    INTEGER,                    -- kind of visit, info_parameter.prid (pmid 27)
    address       TEXT,                       -- place of the visit
    acess_date    TEXT,                       -- day of the visit
    linkman       TEXT,                       -- person met
    linktel       TEXT,
    duty          INTEGER,                    -- that person's title, info_parameter.prid (pmid 1)
    acess_content TEXT,                       -- what was discussed
    results       TEXT,                       -- outcome
    isdel         INTEGER DEFAULT 0
);
CREATE INDEX customer_access_records_ciid ON customer_access_records (ciid);

-- Sales to a customer.
CREATE TABLE customer_sales_info (
    siid        INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid        INTEGER,
    productname TEXT,
    amount      NUMERIC,                      -- quantity
    price       NUMERIC,                      -- unit price
    totalmoney  NUMERIC,                      -- total as typed
    saledate    TEXT,
    remark      TEXT,
    saler       TEXT,                         -- salesperson
    isdel       INTEGER DEFAULT 0
);
CREATE INDEX customer_sales_info_ciid ON customer_sales_info (ciid);

-- Complaints concerning a customer.
CREATE TABLE customer_complaints_info (
    cciid         INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid          INTEGER,
    complainter   TEXT,                       -- party complained about
    content       TEXT,                       -- what the complaint says
    linkman       TEXT,                       -- person who complained
    linktel       TEXT,
    complaintdate TEXT,
    remark        TEXT,
    isdel         INTEGER DEFAULT 0
);
CREATE INDEX customer_complaints_info_ciid ON customer_complaints_info (ciid);

-- After-sales services given to a customer.
CREATE TABLE customer_services_info (
    siid         INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid         INTEGER,
    service      TEXT,                        -- who gave the service
    content      TEXT,                        -- what was done
    service_date TEXT,
    remark       TEXT,
    isdel        INTEGER DEFAULT 0
);
CREATE INDEX customer_services_info_ciid ON customer_services_info (ciid);

-- Further contact persons of a customer.
CREATE TABLE customer_info_linkman (
    cilid   INTEGER PRIMARY KEY AUTOINCREMENT,
    ciid    INTEGER,
    linkman TEXT COLLATE PINYIN,              -- name
    linktel TEXT,
    mobile1 TEXT,
    mobile2 TEXT,
    qq      TEXT,
    msn     TEXT,
    email   TEXT,
    duty    INTEGER,                          -- title, info_parameter.prid (pmid 1); 0 = none
    remark  TEXT,
    isdel   INTEGER DEFAULT 0
);
CREATE INDEX customer_info_linkman_ciid ON customer_info_linkman (ciid);

-- Customer-type tree; a new key is the highest key plus one. pid 0 = top level.
CREATE TABLE customer_type (
    etid        INTEGER PRIMARY KEY,
    name        TEXT COLLATE PINYIN,
    description TEXT,
    pid         INTEGER DEFAULT 0
);
CREATE INDEX customer_type_pid ON customer_type (pid);

-- Small lists and single settings. pmid is the group: 1 job titles, 4 customer status values,
-- 27 kinds of visit, 0 single settings (name = setting, remark = its value).
CREATE TABLE info_parameter (
    prid   INTEGER PRIMARY KEY AUTOINCREMENT,
    pmid   INTEGER,
    name   TEXT COLLATE PINYIN,
    remark TEXT
);
CREATE INDEX info_parameter_pmid ON info_parameter (pmid);

-- Department tree; a new key is the highest key plus one. pid 0 = top level.
CREATE TABLE manage_dept (
    mdid        INTEGER PRIMARY KEY,
    name        TEXT COLLATE PINYIN,
    description TEXT,
    pid         INTEGER DEFAULT 0
);

-- Login accounts. pwd holds the 32-digit password digest.
CREATE TABLE manage_user (
    muid   INTEGER PRIMARY KEY AUTOINCREMENT,
    userid TEXT COLLATE PINYIN,               -- account typed at login
    name   TEXT COLLATE PINYIN,               -- person's name
    pwd    TEXT,
    mdid   INTEGER,                           -- department
    isdel  INTEGER DEFAULT 0,
    flag   INTEGER DEFAULT 0
);

-- Rights areas: one per navigation entry or list-window caption (customer types included).
CREATE TABLE manage_module (
    mmid  INTEGER PRIMARY KEY AUTOINCREMENT,
    name  TEXT COLLATE PINYIN,
    isdel INTEGER DEFAULT 0,
    flag  INTEGER DEFAULT 0
);

-- Permissions: operation words ("添加", "删除", "修改", "导出excel", "管理" take effect).
CREATE TABLE manage_role (
    mrid  INTEGER PRIMARY KEY AUTOINCREMENT,
    name  TEXT COLLATE PINYIN,
    isdel INTEGER DEFAULT 0,
    flag  INTEGER DEFAULT 0
);

-- Named roles: sets of module/permission grants.
CREATE TABLE manage_module_roleName (
    pmrid  INTEGER PRIMARY KEY AUTOINCREMENT,
    name   TEXT COLLATE PINYIN,
    remark TEXT
);

-- Grants of a role: one module paired with one permission.
CREATE TABLE manage_module_role (
    mmid  INTEGER,
    mrid  INTEGER,
    pmrid INTEGER
);
CREATE INDEX manage_module_role_pmrid ON manage_module_role (pmrid);
CREATE INDEX manage_module_role_mmid ON manage_module_role (mmid);

-- Roles held by each user.
CREATE TABLE manage_user_rolename (
    muid  INTEGER,
    pmrid INTEGER
);
CREATE INDEX manage_user_rolename_muid ON manage_user_rolename (muid);
CREATE INDEX manage_user_rolename_pmrid ON manage_user_rolename (pmrid);

-- The one-time changes of stored data that this file has had, by name. A new file has had them all;
-- opening an older file runs the ones it lacks (see SchemaUpgrade.cpp).
CREATE TABLE schema_steps (
    name TEXT PRIMARY KEY
);

------------------------------------------------------------------------------------------
-- Views
------------------------------------------------------------------------------------------

-- Customers not deleted, with the type, the title text and the columns the reports ask for.
-- duty shows the title's text; report columns without a customer counterpart are ''.
CREATE VIEW customer_info_view AS
SELECT c.ciid,
       c.cardname,
       c.company,
       c.etid,
       COALESCE(d.name, '') COLLATE PINYIN AS duty,
       c.jp,
       c.dateday,
       c.nextdate,
       c.sign_date,
       c.address,
       c.office_tel1,
       c.office_tel2,
       c.office_tel3,
       c.home_tel1,
       c.home_tel2,
       c.mobile_tel1,
       c.mobile_tel2,
       c.mobile_tel3,
       c.fax,
       c.postcode,
       c.email,
       c.wwwsite,
       c.qq,
       c.msn,
       c.intro,
       c.remark,
       c.isdel,
       COALESCE(t.name, '') COLLATE PINYIN AS typename,
       COALESCE(d.name, '') COLLATE PINYIN AS dutyname,
       '' AS Status,
       COALESCE(p.name, t.name, '') COLLATE PINYIN AS parenttypename,
       c.company AS epname,
       CAST(c.ciid AS TEXT) AS epcode,
       '' AS specs,
       '' AS ephostno,
       '' AS user_dept,
       c.address AS installaddr,
       '' AS timelimit,
       c.sign_date AS buy_date,
       '' AS produce_date,
       '' AS user_date,
       c.cardname AS buyer,
       c.company AS provider,
       c.office_tel1 AS tel,
       '' AS repairtel,
       '' AS produce_company,
       '' AS epmoney,
       '' AS epcheckstatus
FROM customer_info c
LEFT JOIN customer_type t ON t.etid = c.etid
LEFT JOIN customer_type p ON p.etid = t.pid
LEFT JOIN info_parameter d ON d.prid = c.duty AND d.pmid = 1
WHERE COALESCE(c.isdel, 0) <> 1;

-- Customers as the client selection dialog lists them (not deleted).
CREATE VIEW client_info_view AS
SELECT c.ciid AS cid,
       c.jp AS spell,
       c.company AS name,
       c.address,
       COALESCE(d.name, '') COLLATE PINYIN AS typename,
       COALESCE(t.name, '') COLLATE PINYIN AS type_name,
       c.office_tel1 AS tel,
       c.fax,
       c.postcode,
       c.cardname AS linkman,
       '' AS actbank,
       '' AS account,
       '' AS taxnum,
       c.email,
       c.wwwsite,
       '' AS repairtel,
       c.remark
FROM customer_info c
LEFT JOIN customer_type t ON t.etid = c.etid
LEFT JOIN info_parameter d ON d.prid = c.duty AND d.pmid = 1
WHERE COALESCE(c.isdel, 0) <> 1;

-- Customer types with the parent's name (list of the type settings and the card's type picker).
CREATE VIEW customer_type_view AS
SELECT t.etid,
       t.name,
       '' AS coderole,
       COALESCE(p.name, '') COLLATE PINYIN AS parentname,
       t.description,
       t.pid
FROM customer_type t
LEFT JOIN customer_type p ON p.etid = t.pid;

-- Job titles (the card's title picker).
CREATE VIEW customer_duty_view AS
SELECT prid, name, remark
FROM info_parameter
WHERE pmid = 1;

-- Visits not deleted (nor of a deleted customer), with the names of kind and title.
CREATE VIEW customer_access_records_view AS
SELECT r.arid,
       r.ciid,
       r.acess_type,
       COALESCE(k.name, '') COLLATE PINYIN AS acess_type_name,
       r.address,
       r.acess_date,
       r.linkman,
       r.linktel,
       r.duty,
       COALESCE(d.name, '') COLLATE PINYIN AS duty_name,
       r.acess_content,
       r.results,
       r.isdel
FROM customer_access_records r
LEFT JOIN info_parameter k ON k.prid = r.acess_type AND k.pmid = 27
LEFT JOIN info_parameter d ON d.prid = r.duty AND d.pmid = 1
WHERE COALESCE(r.isdel, 0) <> 1
  AND NOT EXISTS (SELECT 1 FROM customer_info c WHERE c.ciid = r.ciid AND c.isdel = 1);

-- Sales not deleted (nor of a deleted customer).
CREATE VIEW customer_sales_info_view AS
SELECT s.siid,
       s.ciid,
       s.productname,
       s.amount,
       s.price,
       s.totalmoney,
       s.saledate,
       s.remark,
       s.saler,
       s.isdel
FROM customer_sales_info s
WHERE COALESCE(s.isdel, 0) <> 1
  AND NOT EXISTS (SELECT 1 FROM customer_info c WHERE c.ciid = s.ciid AND c.isdel = 1);

-- Complaints not deleted (nor of a deleted customer).
CREATE VIEW customer_complaints_info_view AS
SELECT m.cciid,
       m.ciid,
       m.complainter,
       m.content,
       m.linkman,
       m.linktel,
       m.complaintdate,
       m.remark,
       m.isdel
FROM customer_complaints_info m
WHERE COALESCE(m.isdel, 0) <> 1
  AND NOT EXISTS (SELECT 1 FROM customer_info c WHERE c.ciid = m.ciid AND c.isdel = 1);

-- After-sales services not deleted (nor of a deleted customer).
CREATE VIEW customer_services_info_view AS
SELECT s.siid,
       s.ciid,
       s.service,
       s.content,
       s.service_date,
       s.remark,
       s.isdel
FROM customer_services_info s
WHERE COALESCE(s.isdel, 0) <> 1
  AND NOT EXISTS (SELECT 1 FROM customer_info c WHERE c.ciid = s.ciid AND c.isdel = 1);

-- Further contact persons not deleted (nor of a deleted customer), with the title's name.
CREATE VIEW customer_info_linkman_view AS
SELECT l.cilid,
       l.ciid,
       l.linkman,
       l.linktel,
       l.mobile1,
       l.mobile2,
       l.qq,
       l.msn,
       l.email,
       l.duty,
       COALESCE(d.name, '') COLLATE PINYIN AS duty_name,
       l.remark,
       l.isdel
FROM customer_info_linkman l
LEFT JOIN info_parameter d ON d.prid = l.duty AND d.pmid = 1
WHERE COALESCE(l.isdel, 0) <> 1
  AND NOT EXISTS (SELECT 1 FROM customer_info c WHERE c.ciid = l.ciid AND c.isdel = 1);

-- Departments with the parent department's name.
CREATE VIEW manage_dept_view AS
SELECT d.mdid,
       d.name,
       COALESCE(p.name, '') COLLATE PINYIN AS parentname,
       d.description,
       d.pid
FROM manage_dept d
LEFT JOIN manage_dept p ON p.mdid = d.pid;

-- Users with their department's name.
CREATE VIEW manage_user_view AS
SELECT u.muid,
       u.userid,
       u.name,
       u.pwd,
       u.mdid,
       COALESCE(d.name, '') COLLATE PINYIN AS dptname,
       u.isdel,
       u.flag
FROM manage_user u
LEFT JOIN manage_dept d ON d.mdid = u.mdid
WHERE COALESCE(u.isdel, 0) <> 1;

-- Every module and permission a user holds through any of the user's roles.
CREATE VIEW manage_user_roleview AS
SELECT u.muid,
       u.userid,
       r.pmrid,
       m.mmid,
       m.name AS mdname,
       p.mrid,
       p.name AS rolename
FROM manage_user u
JOIN manage_user_rolename ur ON ur.muid = u.muid
JOIN manage_module_roleName r ON r.pmrid = ur.pmrid
JOIN manage_module_role g ON g.pmrid = r.pmrid
JOIN manage_module m ON m.mmid = g.mmid
JOIN manage_role p ON p.mrid = g.mrid
WHERE COALESCE(u.isdel, 0) <> 1
  AND COALESCE(m.isdel, 0) <> 1
  AND COALESCE(p.isdel, 0) <> 1;

-- The roles held by each user, one row per user and role.
CREATE VIEW manage_user_rolename_view AS
SELECT u.muid,
       u.userid,
       u.name,
       COALESCE(d.name, '') COLLATE PINYIN AS dptname,
       ur.pmrid,
       COALESCE(r.name, '') COLLATE PINYIN AS rolename
FROM manage_user_rolename ur
JOIN manage_user u ON u.muid = ur.muid
LEFT JOIN manage_dept d ON d.mdid = u.mdid
LEFT JOIN manage_module_roleName r ON r.pmrid = ur.pmrid
WHERE COALESCE(u.isdel, 0) <> 1;

-- Roles with their grants, one row per role and grant; md_role reads "<module>--><permission>".
-- A role without grants still shows once, with an empty md_role.
CREATE VIEW manage_module_roleName_view AS
SELECT r.pmrid,
       r.name,
       r.remark,
       g.mmid,
       g.mrid,
       COALESCE(m.name || '-->' || p.name, '') COLLATE PINYIN AS md_role
FROM manage_module_roleName r
LEFT JOIN manage_module_role g ON g.pmrid = r.pmrid
LEFT JOIN manage_module m ON m.mmid = g.mmid
LEFT JOIN manage_role p ON p.mrid = g.mrid;

------------------------------------------------------------------------------------------
-- Initial rows
------------------------------------------------------------------------------------------

-- The top-level department.
INSERT INTO manage_dept (mdid, name, description, pid) VALUES (1, '公司部门', '公司全体部门', 0);

-- The built-in account; its initial password is 123456.
INSERT INTO manage_user (muid, userid, name, pwd, mdid, isdel, flag)
VALUES (1, 'veziz', 'veziz', 'e10adc3949ba59abbe56e057f20f883e', 1, 0, 0);

-- The permissions the list windows test.
INSERT INTO manage_role (name, isdel, flag) VALUES ('添加', 0, 0);
INSERT INTO manage_role (name, isdel, flag) VALUES ('删除', 0, 0);
INSERT INTO manage_role (name, isdel, flag) VALUES ('修改', 0, 0);
INSERT INTO manage_role (name, isdel, flag) VALUES ('导出excel', 0, 0);
INSERT INTO manage_role (name, isdel, flag) VALUES ('管理', 0, 0);

-- Rights areas of the fixed navigation entries and of the list windows they open.
INSERT INTO manage_module (name, isdel, flag) VALUES ('管理提醒', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('所有客户', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('分类类型', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('行业类型', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('头衔', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('模块名称', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('权限名称', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('角色管理', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('部门设置', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('用户管理', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('用户权限', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('分类统计', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('分类清单', 0, 0);

-- A first customer-type tree, each type with its rights area as the type editor makes them.
INSERT INTO customer_type (etid, name, description, pid) VALUES (1, '企业客户', '企业类客户', 0);
INSERT INTO customer_type (etid, name, description, pid) VALUES (2, '重点客户', '重点跟进的企业客户', 1);
INSERT INTO customer_type (etid, name, description, pid) VALUES (3, '普通客户', '一般企业客户', 1);
INSERT INTO manage_module (name, isdel, flag) VALUES ('企业客户', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('重点客户', 0, 0);
INSERT INTO manage_module (name, isdel, flag) VALUES ('普通客户', 0, 0);

-- Job titles (group 1).
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (1, 1, '总经理', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (2, 1, '副总经理', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (3, 1, '经理', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (4, 1, '主管', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (5, 1, '业务员', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (6, 1, '采购员', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (7, 1, '工程师', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (8, 1, '职员', NULL);

-- Customer status values (group 4).
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (11, 4, '潜在客户', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (12, 4, '意向客户', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (13, 4, '成交客户', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (14, 4, '流失客户', NULL);

-- Kinds of visit (group 27).
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (21, 27, '电话拜访', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (22, 27, '上门拜访', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (23, 27, '客户来访', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (24, 27, '电子邮件', NULL);
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (25, 27, '传真联系', NULL);

-- Single settings: default follow-up interval in days, and the reminder days (key 35).
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (31, 0, '回访周期', '30');
INSERT INTO info_parameter (prid, pmid, name, remark) VALUES (35, 0, '提醒天数', '7');

-- A new file already orders its names by the Chinese collator and makes its short names from the
-- Mandarin readings.
INSERT INTO schema_steps (name) VALUES ('PINYIN by the Chinese collator');
INSERT INTO schema_steps (name) VALUES ('jp from Mandarin readings');
