-- A small ERP database for the export run. Every row is here for one selection rule; the
-- expected files beside this file were worked out by hand from these rows.
--
-- Company 10, March 2024, by entry date:
--   coupon A (branch 1, code "7"): sale at the first second of the period; fiscal printer number
--     555 wins over the SAT and invoice numbers; two items; prescription row of another branch.
--   coupon B (branch 2, code "123456"): printer number 0, so the SAT number 4321; a second line
--     whose product is missing drops out; quantity 1.5 rounds to 2; class with a leading blank.
--   coupon C (branch 3, no code row): printer NULL, SAT 0, so the invoice number (8 digits);
--     both lines with a live prescription.
--   coupon D (branch 4, empty code): the last second of the period; one line with a live
--     prescription and one whose prescription is deleted; its invoice link points at an invoice
--     of another branch, so no fiscal number at all.
--   coupon E: the first second after the period. coupon F: entered in February, due in March.
--   coupon G: amort 100, zero total and deleted lines drop out; amort 99.99 stays.
--   coupon H: another company.
--   lines N1, N2: no movment row.

INSERT INTO empresa (empresa_id, nome, apagado) VALUES
  (10, 'Quelvar Saúde', 'N'),
  (20, 'Outra Empresa', 'N');

INSERT INTO filial (filial_id, nome, cgc, escritorio, apagado) VALUES
  (1, 'Loja Centro', '11.111.111/0001-11', 'N', 'N'),
  (2, 'Loja Bairro', '22.222.222/0001-22', 'N', 'N'),
  (3, 'Loja Sem Código', '33.333.333/0001-33', 'N', 'N'),
  (4, 'Loja Código Vazio', '44.444.444/0001-44', 'N', 'N');

CREATE TABLE quelvar_config_filial (
  filial_id INT(11) NOT NULL DEFAULT "0",
  codigo_quelvar VARCHAR(20) NOT NULL DEFAULT "",
  PRIMARY KEY (filial_id)
);

INSERT INTO quelvar_config_filial (filial_id, codigo_quelvar) VALUES (1, '7'), (2, '123456'), (4, '');

INSERT INTO clientes (clientes_id, nome, chapa) VALUES
  (100, 'José da Conceição', '12345'),
  (101, 'Maria Antônia', 'ABC-9'),
  (102, 'Zé Ninguém', NULL);

INSERT INTO produto (produto_id, classe_produto, barras, descricao) VALUES
  (500, 'MED', '7891234567890', 'DIPIRONA SÓDICA 500MG 10 COMPRIMIDOS'),
  (501, '', '789', 'Sabonete Glicerina'),
  (502, NULL, NULL, 'PROTETOR SOLAR FPS 50 LOÇÃO CORPORAL 200ML XX'),
  (503, ' GEN', '12345678901234567890', 'Genérico Amoxicilina 500mg');

INSERT INTO movment (movment_id, filial_id, numlanc, clientes_id, produto_id) VALUES
  (1, 1, 1001, 100, 500), (2, 1, 1001, 100, 501),
  (3, 2, 2001, 101, 503), (4, 2, 2001, 101, 999),
  (5, 3, 3001, 102, 500), (6, 3, 3001, 102, 502),
  (7, 4, 4001, 100, 500), (8, 4, 4001, 100, 501),
  (9, 1, 1002, 100, 500),
  (10, 1, 1003, 101, 501),
  (11, 1, 1004, 102, 500), (12, 1, 1004, 102, 501), (13, 1, 1004, 102, 502), (14, 1, 1004, 102, 503),
  (15, 1, 1005, 100, 500);

INSERT INTO receber (filial_id, numlanc, movment_id, clientes_id, produto_id, empresa_id, datahora, vencimento,
                     quantidade, valor, valortotal, crm, num_ecf, amort, apagado) VALUES
  (1, 1001, 1, 100, 500, 10, '2024-03-01 00:00:00', '2024-04-01', 2, 10.5, 21.0, 'CRM12345', 555, 0, 'N'),
  (1, 1001, 2, 100, 501, 10, '2024-03-01 00:00:00', '2024-04-01', 1, 3.3333, 3.3333, NULL, 555, 0, 'N'),
  (2, 2001, 3, 101, 503, 10, '2024-03-10 12:00:00', '2024-03-10', 1.5, 7.9999, 11.9999, '', 0, 0, 'N'),
  (2, 2001, 4, 101, 999, 10, '2024-03-10 12:00:00', '2024-03-10', 1, 100, 100, NULL, 0, 0, 'N'),
  (3, 3001, 5, 102, 500, 10, '2024-03-15 08:00:00', '2024-03-15', 3, 2.0, 6.0, 'CRM-SP 1234567', NULL, 0, 'N'),
  (3, 3001, 6, 102, 502, 10, '2024-03-15 08:00:00', '2024-03-15', 1, 45.678, 45.678, 'CRM-SP 1234567', NULL, 0, 'N'),
  (4, 4001, 7, 100, 500, 10, '2024-03-31 23:59:59', '2024-03-31', 1, 15.0, 15.0, 'CRM-RJ 98765', NULL, 0, 'N'),
  (4, 4001, 8, 100, 501, 10, '2024-03-31 23:59:59', '2024-03-31', 2, 1.255, 2.51, NULL, NULL, 0, 'N'),
  (1, 1002, 9, 100, 500, 10, '2024-04-01 00:00:00', '2024-04-01', 1, 9.99, 9.99, NULL, 556, 0, 'N'),
  (1, 1003, 10, 101, 501, 10, '2024-02-29 23:59:59', '2024-03-05', 1, 4.5, 4.5, NULL, 557, 0, 'N'),
  (1, 1004, 11, 102, 500, 10, '2024-03-20 10:00:00', '2024-03-20', 1, 1, 1, NULL, 42, 100, 'N'),
  (1, 1004, 12, 102, 501, 10, '2024-03-20 10:00:00', '2024-03-20', 1, 0, 0, NULL, 42, 0, 'N'),
  (1, 1004, 13, 102, 502, 10, '2024-03-20 10:00:00', '2024-03-20', 1, 2, 2, NULL, 42, 0, 'S'),
  (1, 1004, 14, 102, 503, 10, '2024-03-20 10:00:00', '2024-03-20', 1, 5, 5, NULL, 42, 99.99, 'N'),
  (1, 1005, 15, 100, 500, 20, '2024-03-21 10:00:00', '2024-03-21', 1, 7, 7, NULL, 558, 0, 'N'),
  (2, 2002, 16, 101, 500, 10, '2024-03-05 09:00:00', '2024-03-05', 1, 8, 8, NULL, 0, 0, 'N'),
  (2, 2003, 17, 100, 501, 10, '2024-03-06 09:00:00', '2024-03-06', 1, 4, 4, NULL, 0, 0, 'N');

INSERT INTO venda_receita (movment_id, filial_id, apagado) VALUES
  (1, 2, 'N'),
  (5, 3, 'N'), (6, 3, 'N'),
  (7, 4, 'N'), (8, 4, 'S'),
  (9, 1, 'N');

INSERT INTO sat_cfe (filial_id, numlanc, num_cfe) VALUES (1, 1001, 777), (2, 2001, 4321), (3, 3001, 0);

INSERT INTO nota_fiscal (nota_fiscal_id, filial_id, num_nota) VALUES
  (50, 1, 888), (51, 2, 999), (52, 3, 12345678), (53, 4, 4444);

INSERT INTO movment_nota_fiscal_ref (filial_id, numlanc, nota_fiscal_id) VALUES
  (1, 1001, 50), (2, 2001, 51), (3, 3001, 52), (4, 4001, 52);
